unit QuillmarkMenu;

{ Puts "&Quillmark" with "&Comment!" (on the hot key of the settings),
  "&Setup" and "Strip" into the IDE's Tools menu. When the plug-in library
  QuillwrightExpert and its bridge are installed beside the command-line
  tool, the plug-in itself builds that menu once the IDE's windows exist, and
  its own dialogs and result window run inside the IDE; otherwise, or when it
  cannot start, the package's own commands run the programs. }

{$mode objfpc}{$H+}

interface

procedure Register;

implementation

uses
  Classes, SysUtils, Forms, LazLoggerBase, MenuIntf, IDECommands, LazIDEIntf, QuillmarkCommands,
  QuillmarkExpert, QuillmarkHotKey, QuillwrightProgram;

type
  TExpertStarter = class
    Folder: string;
    procedure WindowsRestored(Sender: TObject);
    procedure Start(Data: PtrInt);
  end;

var
  CommentCommand: TIDECommand = nil;
  Starter: TExpertStarter = nil;

procedure TakeStoredHotKey;
begin
  if CommentCommand <> nil then
    CommentCommand.ShortcutA := IDEShortCutOf(StoredCommentHotKey);
end;

procedure RegisterOwnMenu;
var
  Quillmark: TIDEMenuSection;
begin
  CommentCommand := RegisterIDECommand(
    IDECommandList.FindCategoryByName(CommandCategoryToolMenuName), 'QWDoItItem',
    'Quillmark: Comment!', IDEShortCutOf(StoredCommentHotKey), nil, @CommentClick);
  OnSettingsChanged := @TakeStoredHotKey;
  Quillmark := RegisterIDESubMenu(itmSecondaryTools, 'QWItem', '&Quillmark');
  RegisterIDEMenuCommand(Quillmark, 'QWDoItItem', '&Comment!', nil, @CommentClick,
    CommentCommand);
  RegisterIDEMenuCommand(Quillmark, 'QWSetupItem', '&Setup', nil, @SetupClick);
  RegisterIDEMenuCommand(Quillmark, 'QWStrip', 'Strip', nil, @StripClick);
end;

{ The plug-in starts once the IDE's start is over and its main window is
  on the screen: it makes its own application object and asks for that
  window. }
procedure TExpertStarter.WindowsRestored(Sender: TObject);
begin
  LazarusIDE.RemoveHandlerOnIDERestoreWindows(@WindowsRestored);
  Application.QueueAsyncCall(@Start, 0);
end;

procedure TExpertStarter.Start(Data: PtrInt);
var
  Failure: string;
begin
  if StartExpert(Folder, Failure) then
    DebugLn(['Quillmark: the plug-in ', Folder, ' runs in the IDE'])
  else
  begin
    DebugLn(['Quillmark: the plug-in ', Folder, ' did not start (', Failure,
      '); the menu runs the programs instead']);
    RegisterOwnMenu;
  end;
end;

procedure Register;
begin
  Starter := TExpertStarter.Create;
  Starter.Folder := ExpertFolder;
  if Starter.Folder = '' then
    RegisterOwnMenu
  else
    LazarusIDE.AddHandlerOnIDERestoreWindows(@Starter.WindowsRestored);
end;

end.
