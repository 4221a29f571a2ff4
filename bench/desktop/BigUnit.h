#pragma once

#include <string>

// A unit of `lines` lines: routines with a few statements each.
inline std::string bigUnit(int lines) {
    std::string text = "unit Big;\r\n\r\ninterface\r\n\r\nimplementation\r\n\r\n";
    int n = 6;
    for (int routine = 0; n < lines - 1; ++routine) {
        text += "procedure Step" + std::to_string(routine) + "(var X: Integer);\r\n";
        text += "var\r\n  I: Integer;\r\nbegin\r\n  for I := 1 to 10 do\r\n  begin\r\n";
        text += "    X := X + I; // \xc3\xa4 counted\r\n  end;\r\nend;\r\n\r\n";
        n += 10;
    }
    return text + "end.\r\n";
}
