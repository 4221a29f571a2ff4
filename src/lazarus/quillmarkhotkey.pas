unit QuillmarkHotKey;

{ The hot key of "&Comment!" between its stored form (a key code with 8192
  for Shift, 16384 for Ctrl and 32768 for Alt) and the IDE's shortcuts. }

{$mode objfpc}{$H+}

interface

uses
  Classes, IDECommands;

function IDEShortCutOf(HotKey: LongInt): TIDEShortCut;
function ShortCutCodeOf(const ShortCut: TIDEShortCut): LongInt;

implementation

uses
  LCLType;

const
  ShiftBit = $2000;
  CtrlBit = $4000;
  AltBit = $8000;

function IDEShortCutOf(HotKey: LongInt): TIDEShortCut;
var
  Shift: TShiftState;
begin
  Shift := [];
  if HotKey and ShiftBit <> 0 then
    Include(Shift, ssShift);
  if HotKey and CtrlBit <> 0 then
    Include(Shift, ssCtrl);
  if HotKey and AltBit <> 0 then
    Include(Shift, ssAlt);
  if HotKey and $FF = 0 then
    Result := CleanIDEShortCut
  else
    Result := IDEShortCut(HotKey and $FF, Shift, VK_UNKNOWN, []);
end;

function ShortCutCodeOf(const ShortCut: TIDEShortCut): LongInt;
begin
  if ShortCut.Key1 = VK_UNKNOWN then
    Exit(0);
  Result := ShortCut.Key1 and $FF;
  if ssShift in ShortCut.Shift1 then
    Result := Result or ShiftBit;
  if ssCtrl in ShortCut.Shift1 then
    Result := Result or CtrlBit;
  if ssAlt in ShortCut.Shift1 then
    Result := Result or AltBit;
end;

end.
