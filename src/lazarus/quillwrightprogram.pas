unit QuillwrightProgram;

{ Runs Quillwright's programs for the IDE package: the command-line tool on
  one file, with its JSON report read back, and the desktop program Quillo
  for the setup. Both are looked up on the PATH. }

{$mode objfpc}{$H+}

interface

uses
  Classes, SysUtils;

type
  TQuillwrightCommand = (qcComment, qcProject, qcClean);

  TFileOutcome = record
    FileName: string;
    Count: Integer;
    Written: Boolean;
  end;

  { What one run of the tool did: the files it reports, and the problems it
    met (messages of the pass, errors, or its own output when it left no
    report). }
  TToolRun = class
  public
    Started: Boolean;
    ExitStatus: Integer;
    Files: array of TFileOutcome;
    Problems: TStringList;
    constructor Create;
    destructor Destroy; override;
  end;

const
  ToolName = 'quillwright';
  DesktopName = 'quillo';

function ProgramPath(const Name: string): string;
function RunTool(Command: TQuillwrightCommand; const FileName: string): TToolRun;
function StoredCommentHotKey: Word;

implementation

uses
  Process, FileUtil, IniFiles, fpjson, jsonparser;

const
  // Ctrl+Alt+A, the hot key of "&Comment!" until the setup changes it.
  DefaultCommentHotKey = $C041;

constructor TToolRun.Create;
begin
  Problems := TStringList.Create;
end;

destructor TToolRun.Destroy;
begin
  Problems.Free;
  inherited Destroy;
end;

function ProgramPath(const Name: string): string;
begin
  Result := FindDefaultExecutablePath(Name);
end;

function CommandArguments(Command: TQuillwrightCommand): TStringArray;
begin
  case Command of
    qcComment: Result := ['comment', '--in-place'];
    qcProject: Result := ['project'];
    qcClean: Result := ['clean', '--in-place'];
  end;
end;

procedure ReadMessages(Messages: TJSONArray; Problems: TStrings);
var
  I: Integer;
  Message: TJSONObject;
begin
  for I := 0 to Messages.Count - 1 do
  begin
    Message := Messages.Objects[I];
    Problems.Add(Format('%s, line %d: %s (%s)',
      [Message.Get('kind', ''), Message.Get('line', 0), Message.Get('text', ''),
       Message.Get('answer', '')]));
  end;
end;

procedure ReadReport(const Report: string; Run: TToolRun);
var
  Document: TJSONData;
  Root, Entry: TJSONObject;
  Entries, Errors: TJSONArray;
  I: Integer;
begin
  Document := GetJSON(Report);
  try
    Root := Document as TJSONObject;
    Entries := Root.Arrays['files'];
    SetLength(Run.Files, Entries.Count);
    for I := 0 to Entries.Count - 1 do
    begin
      Entry := Entries.Objects[I];
      Run.Files[I].FileName := Entry.Get('file', '');
      Run.Files[I].Count := Entry.Get('count', 0);
      Run.Files[I].Written := Entry.Get('written', False);
      if Entry.Find('error') <> nil then
        Run.Problems.Add(Entry.Get('error', ''));
      if Entry.Find('messages', jtArray) <> nil then
        ReadMessages(Entry.Arrays['messages'], Run.Problems);
    end;
    if Root.Find('messages', jtArray) <> nil then
      ReadMessages(Root.Arrays['messages'], Run.Problems);
    Errors := TJSONArray(Root.Find('errors', jtArray));
    if Errors <> nil then
      for I := 0 to Errors.Count - 1 do
        Run.Problems.Add(Errors.Strings[I]);
  finally
    Document.Free;
  end;
end;

function RunTool(Command: TQuillwrightCommand; const FileName: string): TToolRun;
var
  Tool, ReportFile, Output: string;
  Arguments: TStringArray;
begin
  Result := TToolRun.Create;
  Tool := ProgramPath(ToolName);
  if Tool = '' then
    Exit;
  ReportFile := GetTempFileName(GetTempDir(False), 'quillmark');
  try
    Arguments := Concat(CommandArguments(Command),
      ['--quiet', '--json', ReportFile, FileName]);
    // The project walk looks for the units beside the project file.
    RunCommandInDir(ExtractFileDir(FileName), Tool, Arguments, Output,
      Result.ExitStatus, [poStderrToOutPut, poNoConsole]);
    Result.Started := True;
    if FileExists(ReportFile) then
      ReadReport(ReadFileToString(ReportFile), Result)
    else
      Result.Problems.Text := Output;
  finally
    DeleteFile(ReportFile);
  end;
end;

function SettingsFileName: string;
var
  ConfigHome: string;
begin
  ConfigHome := GetEnvironmentVariable('XDG_CONFIG_HOME');
  // A relative folder there is invalid and ignored, as the tool does.
  if (ConfigHome = '') or (ConfigHome[1] <> '/') then
    ConfigHome := IncludeTrailingPathDelimiter(GetEnvironmentVariable('HOME')) + '.config';
  Result := IncludeTrailingPathDelimiter(ConfigHome) + 'Varnstead/Quillwright.conf';
end;

function StoredCommentHotKey: Word;
var
  Settings: TIniFile;
begin
  Settings := TIniFile.Create(SettingsFileName);
  try
    Result := Word(Settings.ReadInteger('Quillwright', 'SCut', DefaultCommentHotKey));
  finally
    Settings.Free;
  end;
end;

end.
