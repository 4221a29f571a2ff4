unit Unit1;

interface

uses Shared , Missing ;

procedure Greet(const Name: string);

implementation

procedure Greet(const Name: string);
begin
  if Name <> '' then
  begin
    WriteLn(Name);
  end;
end;

end.
