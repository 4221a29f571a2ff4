{ This file was automatically created by Lazarus. Do not edit!
  This source is only used to compile and install the package.
 }

unit quillwright_lazarus;

{$warn 5023 off : no warning about unused units}
interface

uses
  QuillmarkMenu, QuillmarkCommands, QuillwrightProgram, QuillmarkExpert, 
  QuillmarkHotKey, LazarusPackageIntf;

implementation

procedure Register;
begin
  RegisterUnit('QuillmarkMenu', @QuillmarkMenu.Register);
end;

initialization
  RegisterPackage('quillwright_lazarus', @Register);
end.
