#include "app/dialogs/DesktopEntry.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace qw::desktop {
namespace {

// The escapes of a desktop entry's string values.
QString unescapeValue(const QString& value) {
    QString out;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value[++i];
        if (next == u's')
            out += u' ';
        else if (next == u'n')
            out += u'\n';
        else if (next == u't')
            out += u'\t';
        else if (next == u'r')
            out += u'\r';
        else
            out += next; // "\\" and anything else: the character itself
    }
    return out;
}

// The Exec line's words: blanks separate them, double quotes hold a word with
// blanks, and inside quotes a backslash takes the next character as it is.
std::optional<QStringList> splitExec(const QString& exec) {
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec[i];
        if (c == u'"') {
            inWord = true;
            for (++i; i < exec.size() && exec[i] != u'"'; ++i) {
                if (exec[i] == u'\\' && i + 1 < exec.size())
                    ++i;
                word += exec[i];
            }
            if (i == exec.size())
                return std::nullopt; // an open quote: the line means nothing sure
        } else if (c == u' ' || c == u'\t') {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

bool isFileCode(QChar code) {
    return code == u'f' || code == u'F' || code == u'u' || code == u'U';
}

// Where the applications folders hold a desktop file ID: "kde4-kate.desktop"
// may lie in a subfolder "kde4/kate.desktop".
QString locateDesktopFile(QString id) {
    for (;;) {
        const QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
        if (!path.isEmpty())
            return path;
        const qsizetype dash = id.indexOf(u'-');
        if (dash < 0)
            return {};
        id[dash] = u'/';
    }
}

} // namespace

std::optional<DesktopEntry> parseDesktopEntry(const QByteArray& text) {
    std::optional<QString> exec;
    DesktopEntry entry;
    bool inGroup = false;
    for (const QByteArray& raw : text.split('\n')) {
        const QString line = QString::fromUtf8(raw).trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == QStringLiteral("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inGroup || equals < 0 || line.startsWith(u'#'))
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QStringLiteral("Exec"))
            exec = unescapeValue(value);
        else if (key == QStringLiteral("Terminal"))
            entry.terminal = value == QStringLiteral("true");
    }
    if (!exec)
        return std::nullopt;
    std::optional<QStringList> words = splitExec(*exec);
    if (!words || words->isEmpty())
        return std::nullopt;
    entry.exec = std::move(*words);
    return entry;
}

QStringList execArgumentsFor(const DesktopEntry& entry, const QString& file) {
    QStringList out;
    bool placed = false;
    for (const QString& word : entry.exec) {
        if (word.size() == 2 && word[0] == u'%' && word[1] != u'%') {
            // A field code standing alone: the file once, all else dropped.
            if (isFileCode(word[1]) && !placed) {
                out << file;
                placed = true;
            }
            continue;
        }
        QString expanded;
        for (qsizetype i = 0; i < word.size(); ++i) {
            if (word[i] != u'%' || i + 1 == word.size()) {
                expanded += word[i];
                continue;
            }
            const QChar code = word[++i];
            if (code == u'%') {
                expanded += u'%';
            } else if (isFileCode(code) && !placed) {
                expanded += file;
                placed = true;
            }
        }
        out << expanded;
    }
    if (!placed)
        out << file;
    return out;
}

QByteArray defaultTextApplicationEntry() {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty())
        return {};
    QProcess query;
    query.setStandardInputFile(QProcess::nullDevice());
    query.start(xdgMime,
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("text/plain")});
    if (!query.waitForFinished(5000)) {
        query.kill();
        query.waitForFinished();
        return {};
    }
    // One desktop file ID, or several separated by ";": the first counts.
    const QString id =
        QString::fromLocal8Bit(query.readAllStandardOutput()).section(u';', 0, 0).trimmed();
    if (!id.endsWith(QStringLiteral(".desktop")))
        return {};
    QFile file(locateDesktopFile(id));
    if (file.fileName().isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace qw::desktop
