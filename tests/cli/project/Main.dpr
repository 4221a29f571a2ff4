program Main;

uses
  Forms,
  Unit1 in 'Unit1.pas',
  Unit2 in 'Unit2.pas';

begin
  Application.Run;
end.
