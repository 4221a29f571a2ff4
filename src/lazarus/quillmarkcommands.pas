unit QuillmarkCommands;

{ The three commands of the Quillmark menu on the file in the active source
  editor: "&Comment!" and "Strip" save it, run the command-line tool on it,
  show what the tool did and reload the editor when the file was written;
  "&Setup" runs the desktop program, whose setup dialog edits the settings
  the tool reads. }

{$mode objfpc}{$H+}

interface

uses
  Classes, SrcEditorIntf;

type
  TSourceKind = (skOther, skUnit, skProject);

function SourceKindOf(const FileName: string): TSourceKind;

procedure CommentClick(Sender: TObject);
procedure StripClick(Sender: TObject);
procedure SetupClick(Sender: TObject);

// The editor shows its file as it is on disk now.
procedure ReloadEditor(Editor: TSourceEditorInterface);

// Called after the setup: the hot key of "&Comment!" follows the settings.
var
  OnSettingsChanged: procedure = nil;

implementation

uses
  SysUtils, Controls, ComCtrls, Dialogs, Forms, Process, LazIDEIntf,
  IDEDialogs, LazFileCache, QuillwrightProgram;

const
  PascalExtensions = ' .dpr .pas .inc ';
  NotAPascalSource = 'A Pascal source must have the focus!';
  ResultCaption = 'Quillwright';

var
  CommandRunning: Boolean = False;

function SourceKindOf(const FileName: string): TSourceKind;
var
  Extension: string;
begin
  Extension := LowerCase(ExtractFileExt(FileName));
  if (Extension = '') or (Pos(' ' + Extension + ' ', PascalExtensions) = 0) then
    Result := skOther
  else if Extension = '.dpr' then
    Result := skProject
  else
    Result := skUnit;
end;

{ The active editor with its file saved by the IDE; nil when it holds no
  Pascal source (the user is told) or when the IDE did not save it. }
function SavedEditor: TSourceEditorInterface;
var
  FileName: string;
begin
  Result := SourceEditorManagerIntf.ActiveEditor;
  if Result = nil then
    FileName := ''
  else
    FileName := Result.FileName;
  if SourceKindOf(FileName) = skOther then
  begin
    IDEMessageDialog('Error', NotAPascalSource, mtError, [mbCancel]);
    Exit(nil);
  end;
  if (LazarusIDE.DoSaveEditorFile(Result, []) <> mrOk) or not FileExists(Result.FileName) then
    Result := nil;
end;

function FileBytes(const FileName: string): string;
var
  Stream: TFileStream;
begin
  Result := '';
  if not FileExists(FileName) then
    Exit;
  Stream := TFileStream.Create(FileName, fmOpenRead or fmShareDenyNone);
  try
    SetLength(Result, Stream.Size);
    if Result <> '' then
      Stream.ReadBuffer(Result[1], Length(Result));
  finally
    Stream.Free;
  end;
end;

{ The IDE's own revert of an editor page: the editor shows the file as it is
  on disk now. }
procedure ReloadEditor(Editor: TSourceEditorInterface);
var
  Window: TSourceEditorWindowInterface;
  Page: TWinControl;
  WindowIndex: Integer;
begin
  Window := SourceEditorManagerIntf.SourceWindowWithEditor(Editor);
  WindowIndex := SourceEditorManagerIntf.SourceWindowCount - 1;
  while (WindowIndex >= 0) and (SourceEditorManagerIntf.SourceWindows[WindowIndex] <> Window) do
    Dec(WindowIndex);
  Page := Editor.EditorControl.Parent;
  while (Page <> nil) and not (Page is TCustomPage) do
    Page := Page.Parent;
  if (WindowIndex < 0) or (Page = nil) then
    Exit;
  LazarusIDE.DoOpenEditorFile('', TCustomPage(Page).PageIndex, WindowIndex, [ofRevert]);
end;

function Outcome(Run: TToolRun): string;
var
  I: Integer;
begin
  if not Run.Started then
    Exit(Format('The program %s was not found on the PATH.', [ToolName]));
  Result := '';
  for I := 0 to High(Run.Files) do
    with Run.Files[I] do
      if Written then
        Result := Result + Format('%s: %d comments, written (the file as it was is %s).',
          [ExtractFileName(FileName), Count, ExtractFileName(ChangeFileExt(FileName, '.bak'))])
          + LineEnding
      else
        Result := Result + Format('%s: %d comments, unchanged.',
          [ExtractFileName(FileName), Count]) + LineEnding;
  if Run.Problems.Count > 0 then
    Result := Result + LineEnding + Trim(Run.Problems.Text);
  if (Result = '') and (Run.ExitStatus <> 0) then
    Result := Format('%s ended with status %d.', [ToolName, Run.ExitStatus]);
end;

procedure RunOnActiveFile(Command: TQuillwrightCommand);
var
  Editor: TSourceEditorInterface;
  FileName, Before: string;
  Run: TToolRun;
  Kind: TMsgDlgType;
begin
  Editor := SavedEditor;
  if Editor = nil then
    Exit;
  FileName := Editor.FileName;
  // A project file is walked with its units when commented, and cleaned on
  // its own.
  if (Command = qcComment) and (SourceKindOf(FileName) = skProject) then
    Command := qcProject;
  Before := FileBytes(FileName);
  Run := RunTool(Command, FileName);
  try
    // Only the file in the editor is reloaded, not the units a walk wrote.
    if FileBytes(FileName) <> Before then
    begin
      // The IDE caches file dates: with the stale one the reloaded editor
      // would count as changed on disk.
      InvalidateFileStateCache(FileName);
      ReloadEditor(Editor);
    end;
    if Run.Started and (Run.ExitStatus = 0) then
      Kind := mtInformation
    else
      Kind := mtWarning;
    IDEMessageDialog(ResultCaption, Outcome(Run), Kind, [mbOK]);
  finally
    Run.Free;
  end;
  // The user goes on typing where the command was given.
  SourceEditorManagerIntf.ShowActiveWindowOnTop(True);
end;

{ A command does nothing while another one runs: the setup keeps handling
  the IDE's events while the desktop program is open. }
procedure RunGuarded(Command: TQuillwrightCommand);
begin
  if CommandRunning then
    Exit;
  CommandRunning := True;
  try
    RunOnActiveFile(Command);
  finally
    CommandRunning := False;
  end;
end;

procedure CommentClick(Sender: TObject);
begin
  RunGuarded(qcComment);
end;

procedure StripClick(Sender: TObject);
begin
  RunGuarded(qcClean);
end;

procedure RunDesktopProgram;
var
  Desktop: TProcess;
begin
  Desktop := TProcess.Create(nil);
  try
    Desktop.Executable := ProgramPath(DesktopName);
    if Desktop.Executable = '' then
    begin
      IDEMessageDialog(ResultCaption, Format('The program %s was not found on the PATH.',
        [DesktopName]), mtWarning, [mbOK]);
      Exit;
    end;
    Desktop.Execute;
    while Desktop.Running do
    begin
      Application.ProcessMessages;
      Sleep(20);
    end;
  finally
    Desktop.Free;
  end;
end;

procedure SetupClick(Sender: TObject);
begin
  if CommandRunning then
    Exit;
  CommandRunning := True;
  try
    RunDesktopProgram;
    if Assigned(OnSettingsChanged) then
      OnSettingsChanged();
  finally
    CommandRunning := False;
  end;
end;

end.
