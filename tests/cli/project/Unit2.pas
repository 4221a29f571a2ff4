unit Unit2;

interface

uses Shared ;

function Twice(X: Integer): Integer;

implementation

function Twice(X: Integer): Integer;
begin
  Result := X * 2;
end;

end.
