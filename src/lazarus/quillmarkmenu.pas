unit QuillmarkMenu;

{ Registers the submenu "&Quillmark" in the IDE's Tools menu with
  "&Comment!" (on the hot key of the settings), "&Setup" and "Strip". }

{$mode objfpc}{$H+}

interface

procedure Register;

implementation

uses
  Classes, LCLType, MenuIntf, IDECommands, QuillmarkCommands, QuillwrightProgram;

var
  CommentCommand: TIDECommand = nil;

{ A stored hot key is a key code with 8192 for Shift, 16384 for Ctrl and
  32768 for Alt, as the LCL's shortcuts are. }
function IDEShortCutOf(HotKey: Word): TIDEShortCut;
var
  Shift: TShiftState;
begin
  Shift := [];
  if HotKey and $2000 <> 0 then
    Include(Shift, ssShift);
  if HotKey and $4000 <> 0 then
    Include(Shift, ssCtrl);
  if HotKey and $8000 <> 0 then
    Include(Shift, ssAlt);
  if HotKey and $FF = 0 then
    Result := CleanIDEShortCut
  else
    Result := IDEShortCut(HotKey and $FF, Shift, VK_UNKNOWN, []);
end;

procedure TakeStoredHotKey;
begin
  if CommentCommand <> nil then
    CommentCommand.ShortcutA := IDEShortCutOf(StoredCommentHotKey);
end;

procedure Register;
var
  Category: TIDECommandCategory;
  Quillmark: TIDEMenuSection;
begin
  Category := IDECommandList.FindCategoryByName(CommandCategoryToolMenuName);
  CommentCommand := RegisterIDECommand(Category, 'QWDoItItem', 'Quillmark: Comment!',
    IDEShortCutOf(StoredCommentHotKey), nil, @CommentClick);
  OnSettingsChanged := @TakeStoredHotKey;

  Quillmark := RegisterIDESubMenu(itmSecondaryTools, 'QWItem', '&Quillmark');
  RegisterIDEMenuCommand(Quillmark, 'QWDoItItem', '&Comment!', nil, @CommentClick,
    CommentCommand);
  RegisterIDEMenuCommand(Quillmark, 'QWSetupItem', '&Setup', nil, @SetupClick);
  RegisterIDEMenuCommand(Quillmark, 'QWStrip', 'Strip', nil, @StripClick);
end;

end.
