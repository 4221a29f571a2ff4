unit Counter;

{$MODE DELPHI}

interface

uses
  SysUtils, Classes;

type
  TCounter = class(TObject)
  private
    FValue: Integer;
    FStep: Integer;
  public
    constructor Create(AStep: Integer);
    procedure Reset;
    function Next: Integer;
    property Value: Integer read FValue;
  end;

  ECounterError = class(Exception);

function SumOf(const Values: array of Integer; Limit: Integer): Int64;

implementation

const
  DefaultStep = 1;

var
  Instances: Integer;

constructor TCounter.Create(AStep: Integer);
begin
  inherited Create;
  if AStep = 0 then
    FStep := DefaultStep
  else
    FStep := AStep;
  Inc(Instances);
end;

procedure TCounter.Reset;
begin
  FValue := 0;
end;

function TCounter.Next: Integer;
begin
  try
    FValue := FValue + FStep;
  except
    on E: Exception do
      raise ECounterError.Create('Counter overflow: ' + E.Message);
  end;
  Result := FValue;
end;

function SumOf(const Values: array of Integer; Limit: Integer): Int64;
var
  I: Integer;

  function Clip(X: Integer): Integer;
  begin
    if X > Limit then
      Result := Limit
    else
      Result := X;
  end;

begin
  Result := 0;
  for I := Low(Values) to High(Values) do
  begin
    case Values[I] of
      0: Continue;
      1..9:
        begin
          Result := Result + Clip(Values[I]);
        end;
    else
      Result := Result + Clip(Values[I] div 2);
    end;
  end;
end;

initialization
  Instances := 0;
end.
