#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace qw::desktop {

// What starting an application takes from its desktop entry (a *.desktop
// file of a Linux desktop): the words of its "Exec" line, unquoted, and
// whether it runs in a terminal.
struct DesktopEntry {
    QStringList exec;
    bool terminal = false;
};

// The "Exec" and "Terminal" keys of the "[Desktop Entry]" group. Nothing when
// the text has no such group, no Exec key, or an Exec line with an open
// quote.
std::optional<DesktopEntry> parseDesktopEntry(const QByteArray& text);

// The entry's words for opening `file`: the file stands for the first of the
// field codes %f, %F, %u and %U, the other field codes are dropped and "%%"
// is a "%". An Exec line without a file field code gets the file appended.
QStringList execArgumentsFor(const DesktopEntry& entry, const QString& file);

// The desktop entry of the desktop's default application for plain text, as
// "xdg-mime query default text/plain" names it, read from the applications
// folders; empty when there is none.
QByteArray defaultTextApplicationEntry();

} // namespace qw::desktop
