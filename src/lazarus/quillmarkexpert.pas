unit QuillmarkExpert;

{ Runs the plug-in library QuillwrightExpert inside the IDE: the bridge
  library (bridge/LazarusBridge.h) loads it and calls its entry point with
  tool services, a main menu and menu items made of the functions below, so
  that the plug-in's own menu, dialogs, result window and settings work in
  this IDE. The two libraries are looked up beside the command-line tool. }

{$mode objfpc}{$H+}

interface

// The folder with QuillwrightExpert.so and the bridge, or '' when there is
// none.
function ExpertFolder: string;
// Starts the plug-in; false, with the reason, when it could not be.
function StartExpert(const Folder: string; out Failure: string): Boolean;

implementation

uses
  Classes, SysUtils, Math, dynlibs, Forms, LCLType, MenuIntf, IDECommands, LazIDEIntf,
  SrcEditorIntf, Controls, LazFileCache, QuillmarkCommands, QuillmarkHotKey, QuillwrightProgram
  {$IFDEF LCLGTK2}, gtk2, gdk2x{$ENDIF};

const
  ExpertLibrary = 'QuillwrightExpert.so';
  BridgeLibrary = 'libquillwright_lazarus_bridge.so';

type
  TItem = Pointer;

  TBridgeHost = record
    SaveFile: function(FileName: PChar): LongInt; cdecl;
    ReloadFile: procedure(FileName: PChar); cdecl;
    ParentHandle: function: PtrUInt; cdecl;
    CurrentFile: function(Buffer: PChar; Size: LongInt): LongInt; cdecl;
    AnchorItem: function: TItem; cdecl;
    ParentOf: function(Item: TItem): TItem; cdecl;
    IndexOf: function(Item: TItem): LongInt; cdecl;
    InsertItem: function(Parent: TItem; Index: LongInt; Caption, Name: PChar;
      ShortCut, Clickable: LongInt; Tag: Pointer): TItem; cdecl;
    DestroyItem: procedure(Item: TItem); cdecl;
    ShortCutOf: function(Item: TItem): LongInt; cdecl;
    SetShortCut: procedure(Item: TItem; ShortCut: LongInt); cdecl;
  end;

  // The host goes by address, as in C (a const record of a cdecl routine
  // may go by value).
  TStartProc = function(Path: PChar; Host: Pointer; Error: PChar;
    ErrorSize: LongInt): LongInt; cdecl;
  TClickProc = procedure(Tag: Pointer); cdecl;

  { The click of one of the plug-in's items, handed back to it. }
  TExpertClick = class
    Tag: Pointer;
    procedure Click(Sender: TObject);
  end;

var
  ClickProc: TClickProc = nil;
  Clicks: TList = nil;

{ Qt's code expects the floating-point exceptions masked, the Free Pascal
  runtime has them enabled. }
function QuietFloatingPoint: TFPUExceptionMask;
begin
  Result := SetExceptionMask([exInvalidOp, exDenormalized, exZeroDivide, exOverflow,
    exUnderflow, exPrecision]);
end;

procedure TExpertClick.Click(Sender: TObject);
var
  Saved: TFPUExceptionMask;
begin
  Saved := QuietFloatingPoint;
  try
    ClickProc(Tag);
  finally
    SetExceptionMask(Saved);
  end;
end;

function CopyOut(const Text: string; Buffer: PChar; Size: LongInt): LongInt;
begin
  if (Buffer <> nil) and (Size > 0) then
    StrPLCopy(Buffer, Text, Size - 1);
  Result := Length(Text);
end;

function EditorOf(FileName: PChar): TSourceEditorInterface;
begin
  Result := SourceEditorManagerIntf.SourceEditorIntfWithFilename(StrPas(FileName));
end;

function SaveFile(FileName: PChar): LongInt; cdecl;
var
  Editor: TSourceEditorInterface;
begin
  Result := 0;
  try
    Editor := EditorOf(FileName);
    if (Editor <> nil) and (LazarusIDE.DoSaveEditorFile(Editor, []) = mrOk) then
      Result := 1;
  except
    Result := 0;
  end;
end;

procedure ReloadFile(FileName: PChar); cdecl;
var
  Editor: TSourceEditorInterface;
begin
  try
    Editor := EditorOf(FileName);
    InvalidateFileStateCache(StrPas(FileName));
    if Editor <> nil then
      ReloadEditor(Editor);
  except
  end;
end;

function ParentHandle: PtrUInt; cdecl;
begin
  Result := 0;
  {$IFDEF LCLGTK2}
  if (Application.MainForm <> nil) and Application.MainForm.HandleAllocated
    and (PGtkWidget(Application.MainForm.Handle)^.window <> nil) then
    Result := gdk_x11_drawable_get_xid(PGtkWidget(Application.MainForm.Handle)^.window);
  {$ENDIF}
end;

function CurrentFile(Buffer: PChar; Size: LongInt): LongInt; cdecl;
var
  Editor: TSourceEditorInterface;
begin
  Editor := SourceEditorManagerIntf.ActiveEditor;
  if Editor = nil then
    Result := CopyOut('', Buffer, Size)
  else
    Result := CopyOut(Editor.FileName, Buffer, Size);
end;

{ The plug-in puts its submenu after this IDE's item "Compare files", the
  last of the section in which the IDE keeps such tools. }
function AnchorItem: TItem; cdecl;
begin
  if (itmSecondaryTools = nil) or (itmSecondaryTools.Count = 0) then
    Exit(nil);
  Result := itmSecondaryTools[itmSecondaryTools.Count - 1];
end;

function ParentOf(Item: TItem): TItem; cdecl;
begin
  Result := TIDEMenuItem(Item).Section;
end;

function IndexOf(Item: TItem): LongInt; cdecl;
begin
  Result := TIDEMenuItem(Item).SectionIndex;
end;

function InsertItem(Parent: TItem; Index: LongInt; Caption, Name: PChar;
  ShortCut, Clickable: LongInt; Tag: Pointer): TItem; cdecl;
var
  Section: TIDEMenuSection;
  Item: TIDEMenuItem;
  Click: TExpertClick;
  Command: TIDECommand;
begin
  Result := nil;
  if not (TObject(Parent) is TIDEMenuSection) then
    Exit;
  Section := TIDEMenuSection(Parent);
  try
    if Clickable = 0 then
      Item := TIDEMenuSection.Create(StrPas(Name))
    else
    begin
      Click := TExpertClick.Create;
      Click.Tag := Tag;
      Clicks.Add(Click);
      Item := TIDEMenuCommand.Create(StrPas(Name));
      Item.OnClick := @Click.Click;
      if ShortCut <> 0 then
      begin
        Command := RegisterIDECommand(IDECommandList.FindCategoryByName(CommandCategoryToolMenuName),
          StrPas(Name), 'Quillmark: ' + StringReplace(StrPas(Caption), '&', '', []),
          IDEShortCutOf(ShortCut), @Click.Click);
        TIDEMenuCommand(Item).Command := Command;
      end;
    end;
    Item.Caption := StrPas(Caption);
    Section.Insert(EnsureRange(Index, 0, Section.Count), Item);
    Result := Item;
  except
    Result := nil;
  end;
end;

procedure DestroyItem(Item: TItem); cdecl;
begin
  TIDEMenuItem(Item).Visible := False;
end;

function ShortCutOf(Item: TItem): LongInt; cdecl;
begin
  Result := 0;
  if (TObject(Item) is TIDEMenuCommand) and (TIDEMenuCommand(Item).Command <> nil) then
    Result := ShortCutCodeOf(TIDEMenuCommand(Item).Command.ShortcutA);
end;

procedure SetShortCut(Item: TItem; ShortCut: LongInt); cdecl;
begin
  if (TObject(Item) is TIDEMenuCommand) and (TIDEMenuCommand(Item).Command <> nil) then
    TIDEMenuCommand(Item).Command.ShortcutA := IDEShortCutOf(ShortCut);
end;

function ExpertFolder: string;
var
  Tool: string;
  Candidate: string;
begin
  Result := '';
  Tool := ProgramPath(ToolName);
  if Tool = '' then
    Exit;
  // Beside the tool, the build tree's folder, or where the Debian package
  // puts them.
  for Candidate in [ExtractFilePath(Tool),
    ExpandFileName(ExtractFilePath(Tool) + '../plugin/'),
    ExpandFileName(ExtractFilePath(Tool) + '../lib/' + LowerCase({$I %FPCTARGETCPU%}) +
      '-linux-gnu/quillwright/'),
    ExpandFileName(ExtractFilePath(Tool) + '../lib/quillwright/')] do
    if FileExists(IncludeTrailingPathDelimiter(Candidate) + ExpertLibrary)
      and FileExists(IncludeTrailingPathDelimiter(Candidate) + BridgeLibrary) then
      Exit(IncludeTrailingPathDelimiter(Candidate));
end;

function StartExpert(const Folder: string; out Failure: string): Boolean;
var
  Bridge: TLibHandle;
  Start: TStartProc;
  Host: TBridgeHost;
  Error: array[0..511] of Char;
  Saved: TFPUExceptionMask;
begin
  Result := False;
  Failure := '';
  Bridge := LoadLibrary(Folder + BridgeLibrary);
  if Bridge = NilHandle then
  begin
    Failure := 'cannot load ' + Folder + BridgeLibrary;
    Exit;
  end;
  Pointer(Start) := GetProcAddress(Bridge, 'qw_lazarus_start');
  Pointer(ClickProc) := GetProcAddress(Bridge, 'qw_lazarus_click');
  if (Pointer(Start) = nil) or (Pointer(ClickProc) = nil) then
  begin
    Failure := BridgeLibrary + ' lacks its entry points';
    Exit;
  end;
  Host.SaveFile := @SaveFile;
  Host.ReloadFile := @ReloadFile;
  Host.ParentHandle := @ParentHandle;
  Host.CurrentFile := @CurrentFile;
  Host.AnchorItem := @AnchorItem;
  Host.ParentOf := @ParentOf;
  Host.IndexOf := @IndexOf;
  Host.InsertItem := @InsertItem;
  Host.DestroyItem := @DestroyItem;
  Host.ShortCutOf := @ShortCutOf;
  Host.SetShortCut := @SetShortCut;
  FillChar(Error, SizeOf(Error), 0);
  Saved := QuietFloatingPoint;
  try
    Result := Start(PChar(Folder + ExpertLibrary), @Host, @Error[0], SizeOf(Error)) <> 0;
  finally
    SetExceptionMask(Saved);
  end;
  if not Result then
    Failure := StrPas(@Error[0]);
end;

initialization
  Clicks := TList.Create;
end.
