#include "plan.h"

#include "worksheet/number.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <algorithm>
#include <charconv>
#include <span>
#include <string>
#include <string_view>
#include <vector>

using namespace worksheet;

namespace plan {

namespace {

constexpr std::string_view formatName = "Combat Worksheet plan ";
constexpr std::string_view endLine = "[end]";
constexpr std::string_view byteOrderMark = "\xef\xbb\xbf";

// The length of the well-formed UTF-8 sequence that starts at text[at], or 0
// where none does.
std::size_t utf8Length(std::string_view text, std::size_t at)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xbf; // the second byte's range
    if (lead >= 0xc2 && lead <= 0xdf)
        length = 2;
    else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        low = lead == 0xe0 ? 0xa0 : 0x80;  // no overlong forms
        high = lead == 0xed ? 0x9f : 0xbf; // no surrogates
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        low = lead == 0xf0 ? 0x90 : 0x80;
        high = lead == 0xf4 ? 0x8f : 0xbf; // nothing past U+10FFFF
    } else
        return 0;
    if (text.size() - at < length || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(at + i) < 0x80 || byte(at + i) > 0xbf)
            return 0;
    return length;
}

constexpr char hexDigits[] = "0123456789abcdef";

void appendQuoted(QByteArray& out, std::string_view text)
{
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\t')
            out += "\\t";
        else if (const std::size_t length = utf8Length(text, i); c < 0x20 || c == 0x7f || length == 0) {
            out += "\\x";
            out += hexDigits[c >> 4];
            out += hexDigits[c & 0xf];
        } else {
            out.append(text.data() + i, static_cast<qsizetype>(length));
            i += length;
            continue;
        }
        ++i;
    }
    out += '"';
}

void appendName(QByteArray& out, Control c)
{
    out.append(form[c.index].name.data(), static_cast<qsizetype>(form[c.index].name.size()));
}

void writeControls(const SheetState& state, QByteArray& out)
{
    for (std::size_t i = 0; i < controlCount; ++i) {
        const ControlValues& v = state.controls[i];
        out.append(form[i].name.data(), static_cast<qsizetype>(form[i].name.size()));
        out += ' ';
        appendQuoted(out, v.text);
        out += v.visible ? " visible" : " hidden";
        out += v.enabled ? " enabled" : " disabled";
        if (v.checked)
            out += " checked";
        if (v.typed)
            out += " typed";
        out += '\n';
    }
}

// One line of a section, with its number in the file for the errors.
struct Line {
    int number;
    std::string_view text;
};

QString onLine(const Line& line, const std::string& what)
{
    return QStringLiteral("line %1: %2").arg(line.number).arg(QString::fromStdString(what));
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a text in double quotes from the front of rest, taking it off.
// Returns what is wrong, or nothing.
std::string takeQuoted(std::string_view& rest, std::string& text)
{
    if (rest.empty() || rest.front() != '"')
        return "the text does not start with a double quote";
    std::size_t i = 1;
    for (;; ++i) {
        if (i >= rest.size())
            return "the text has no closing double quote";
        const char c = rest[i];
        if (c == '"')
            break;
        if (c != '\\') {
            text += c;
            continue;
        }
        if (++i >= rest.size())
            return "the text has no closing double quote";
        switch (rest[i]) {
        case '"':
        case '\\': text += rest[i]; break;
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        case 't': text += '\t'; break;
        case 'x': {
            const int high = i + 2 < rest.size() ? hexValue(rest[i + 1]) : -1;
            const int low = high < 0 ? -1 : hexValue(rest[i + 2]);
            if (low < 0)
                return "\\x is not followed by two hexadecimal digits";
            text += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default: return "the text holds an unknown escape \\" + std::string(1, rest[i]);
        }
    }
    rest.remove_prefix(i + 1);
    return {};
}

// Reads one control's line into its place of state; seen marks the
// controls read so far.
QString readControl(const Line& line, SheetState& state, std::vector<bool>& seen)
{
    std::string_view rest = line.text;
    const std::string_view name = rest.substr(0, rest.find(' '));
    const auto control = findControl(name);
    if (!control)
        return onLine(line, "the worksheet has no control named \"" + std::string(name) + "\"");
    if (seen[control->index])
        return onLine(line, std::string(name) + " is named a second time");
    seen[control->index] = true;
    rest.remove_prefix(name.size());
    if (rest.empty() || rest.front() != ' ')
        return onLine(line, std::string(name) + " has no text");
    rest.remove_prefix(1);
    ControlValues& v = state.controls[control->index];
    if (const std::string what = takeQuoted(rest, v.text); !what.empty())
        return onLine(line, std::string(name) + ": " + what);
    bool visibleSaid = false, enabledSaid = false;
    while (!rest.empty()) {
        if (rest.front() != ' ')
            return onLine(line, std::string(name) + ": a word runs on from the text");
        rest.remove_prefix(1);
        const std::string_view word = rest.substr(0, rest.find(' '));
        rest.remove_prefix(word.size());
        bool* said = nullptr;
        bool* flag = nullptr;
        bool value = true;
        if (word == "visible" || word == "hidden") {
            said = &visibleSaid;
            flag = &v.visible;
            value = word == "visible";
        } else if (word == "enabled" || word == "disabled") {
            said = &enabledSaid;
            flag = &v.enabled;
            value = word == "enabled";
        } else if (word == "checked")
            flag = said = &v.checked;
        else if (word == "typed")
            flag = said = &v.typed;
        else
            return onLine(line, std::string(name) + ": unknown state \"" + std::string(word) + "\"");
        if (*said)
            return onLine(line, std::string(name) + ": its state is said twice");
        *flag = value;
        *said = true;
    }
    if (!visibleSaid || !enabledSaid)
        return onLine(line, std::string(name) + " lacks whether it is visible and enabled");
    return {};
}

QString readControls(std::span<const Line> lines, SheetState& state)
{
    state.controls.assign(controlCount, {});
    std::vector<bool> seen(controlCount, false);
    for (const Line& line : lines)
        if (QString error = readControl(line, state, seen); !error.isEmpty())
            return error;
    for (std::size_t i = 0; i < controlCount; ++i)
        if (!seen[i])
            return QStringLiteral("the control %1 is missing").arg(QString::fromUtf8(form[i].name));
    return {};
}

// [ledger]: a line an entry, "FIGURE CONTROL AMOUNT", the figures in the
// worksheet's order and each one's entries in the ledger's. The amount is
// written in the fewest digits that read back as the same double, so that a
// reopened plan's breakdown is the saved one to the last bit.
void writeLedger(const SheetState& state, QByteArray& out)
{
    for (std::size_t f = 0; f < state.ledger.size(); ++f)
        for (const LedgerEntry& e : state.ledger[f]) {
            appendName(out, figures[f].control);
            out += ' ';
            appendName(out, e.control);
            char digits[32];
            const auto end = std::to_chars(std::begin(digits), std::end(digits), e.amount).ptr;
            out += ' ';
            out.append(digits, end - digits);
            out += '\n';
        }
}

QString readLedger(std::span<const Line> lines, SheetState& state)
{
    for (const Line& line : lines) {
        std::string_view rest = line.text;
        const auto word = [&] {
            const std::string_view w = rest.substr(0, rest.find(' '));
            rest.remove_prefix(std::min(rest.size(), w.size() + 1));
            return w;
        };
        const std::string_view figureName = word(), controlName = word(), amount = word();
        const auto figure = findControl(figureName);
        const auto at = figure ? figureIndex(*figure) : std::nullopt;
        if (!at)
            return onLine(line, std::string(figureName) + " is no summary figure");
        const auto control = findControl(controlName);
        if (!control)
            return onLine(line, "the worksheet has no control named \"" + std::string(controlName) + "\"");
        double value = 0;
        const auto [end, ec] = std::from_chars(amount.data(), amount.data() + amount.size(), value);
        if (ec != std::errc{} || end != amount.data() + amount.size() || amount.empty() || !rest.empty())
            return onLine(line, "a breakdown's line is FIGURE CONTROL NUMBER");
        state.ledger[*at].push_back({*control, value});
    }
    return {};
}

// [picks]: a line a pick counted on a row, "LIST "COUNT" "KIND" "MISSION"",
// with "marching" or "riding" after on an infantry row, each row's oldest
// first, the rows in the form's order. Plans of the first format end the
// line at the kind.
void writePicks(const SheetState& state, QByteArray& out)
{
    for (const RowPicks& row : state.counted)
        for (const CountedPick& p : row.picks) {
            appendName(out, row.list);
            out += ' ';
            appendQuoted(out, p.count);
            out += ' ';
            appendQuoted(out, p.kind);
            if (p.mission) {
                out += ' ';
                appendQuoted(out, *p.mission);
            }
            if (p.marching)
                out += *p.marching ? " marching" : " riding";
            out += '\n';
        }
}

QString readPicks(std::span<const Line> lines, SheetState& state)
{
    for (const Line& line : lines) {
        std::string_view rest = line.text;
        const std::string_view name = rest.substr(0, rest.find(' '));
        const auto list = findControl(name);
        if (!list)
            return onLine(line, "the worksheet has no control named \"" + std::string(name) + "\"");
        rest.remove_prefix(name.size());
        CountedPick pick;
        for (std::string* text : {&pick.count, &pick.kind}) {
            if (rest.empty() || rest.front() != ' ')
                return onLine(line, "a pick's line is LIST \"COUNT\" \"KIND\"");
            rest.remove_prefix(1);
            if (const std::string what = takeQuoted(rest, *text); !what.empty())
                return onLine(line, std::string(name) + ": " + what);
        }
        if (rest.starts_with(" \"")) {
            rest.remove_prefix(1);
            if (const std::string what = takeQuoted(rest, pick.mission.emplace()); !what.empty())
                return onLine(line, std::string(name) + ": " + what);
        }
        if (rest == " marching" || rest == " riding") {
            pick.marching = rest == " marching";
            rest = {};
        }
        if (!rest.empty())
            return onLine(line, "a pick's line is LIST \"COUNT\" \"KIND\" \"MISSION\", then marching or riding");
        if (state.counted.empty() || state.counted.back().list != *list)
            state.counted.push_back({*list, {}});
        state.counted.back().picks.push_back(std::move(pick));
    }
    return {};
}

// The sections of a plan, each one kind of state, in the order written.
struct Section {
    std::string_view header;
    void (*write)(const SheetState&, QByteArray&);
    QString (*read)(std::span<const Line>, SheetState&);
};

constexpr Section sections[] = {
    {"[controls]", writeControls, readControls},
    {"[ledger]", writeLedger, readLedger},
    {"[picks]", writePicks, readPicks},
};

Read failed(QString why)
{
    return {{}, std::move(why)};
}

// The first plans kept no breakdown: their figures are credited whole to
// the plan as it was opened (the form's window), so that the entries add up
// to them and the next pick's entry is its own.
void creditFiguresToThePlan(SheetState& state)
{
    for (std::size_t f = 0; f < figureCount; ++f)
        if (const double value = parseNumber(state.controls[figures[f].control.index].text); value != 0)
            state.ledger[f].push_back({formWindow, value});
}

Read readSections(std::span<const Line> lines, int version)
{
    Read result;
    std::size_t at = 1;
    for (const Section& s : sections) {
        if (at >= lines.size())
            return failed(QStringLiteral("it is cut short before %1").arg(QString::fromUtf8(s.header)));
        // A plan of the first format may be of before its breakdown was kept.
        if (version == 1 && s.read != readControls && lines[at].text == endLine)
            continue;
        if (lines[at].text != s.header)
            return failed(onLine(lines[at], std::string(s.header) + " was due"));
        const std::size_t first = ++at;
        while (at < lines.size() && !lines[at].text.starts_with('[')) {
            if (lines[at].text.empty())
                return failed(onLine(lines[at], "a blank line inside " + std::string(s.header)));
            ++at;
        }
        if (QString error = s.read(std::span(lines).subspan(first, at - first), result.state); !error.isEmpty())
            return failed(std::move(error));
    }
    if (at >= lines.size())
        return failed(QStringLiteral("it is cut short (no [end] line)"));
    if (lines[at].text != endLine)
        return failed(onLine(lines[at], "[end] was due"));
    if (at + 1 != lines.size())
        return failed(onLine(lines[at + 1], "something follows [end]"));
    if (version == 1 && std::all_of(result.state.ledger.begin(), result.state.ledger.end(),
                                    [](const auto& entries) { return entries.empty(); }))
        creditFiguresToThePlan(result.state);
    if (const std::string why = whyNot(result.state); !why.empty())
        return failed(QString::fromStdString(why));
    return result;
}

} // namespace

QByteArray toText(const SheetState& state)
{
    QByteArray out;
    out.reserve(64 * 1024);
    out += formatName;
    out += QByteArray::number(formatVersion);
    out += '\n';
    for (const Section& s : sections) {
        out += s.header;
        out += '\n';
        s.write(state, out);
    }
    out += endLine;
    out += '\n';
    return out;
}

Read fromText(QByteArrayView bytes)
{
    if (bytes.size() > largestPlan)
        return failed(QStringLiteral("it is larger than any plan could be (over 1 MiB)"));
    std::string_view text(bytes.data(), static_cast<std::size_t>(bytes.size()));
    // A plan that passed through a Windows editor may start with a byte-order
    // mark and end its lines in CR LF; it is the same plan.
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());
    // Text a person can read and edit: UTF-8, without control characters
    // other than the line breaks.
    int lineNumber = 1;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t length = utf8Length(text, i);
        if (c == '\n')
            ++lineNumber;
        else if (length == 0)
            return failed(QStringLiteral("line %1 holds a byte that is no UTF-8 text").arg(lineNumber));
        else if ((c < 0x20 || c == 0x7f) && !(c == '\r' && i + 1 < text.size() && text[i + 1] == '\n'))
            return failed(QStringLiteral("line %1 holds a control character (%2)")
                              .arg(lineNumber)
                              .arg(QStringLiteral("byte 0x%1").arg(c, 2, 16, QLatin1Char('0'))));
        i += length;
    }

    std::vector<Line> lines;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back({static_cast<int>(lines.size()) + 1, line});
        start = end + 1;
    }
    if (lines.empty() || !lines.front().text.starts_with(formatName))
        return failed(QStringLiteral("it is not a Combat Worksheet plan"));
    // Any version above this one's is a newer format, however many digits.
    const std::string_view version = lines.front().text.substr(formatName.size());
    if (version.empty() || version.front() == '0' ||
        !std::all_of(version.begin(), version.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return failed(QStringLiteral("it is not a Combat Worksheet plan"));
    if (version.size() > 1 || version.front() - '0' > formatVersion)
        return failed(QStringLiteral("it was saved by a newer Combat Worksheet (plan format %1; this one reads "
                                     "format %2)")
                          .arg(QString::fromLatin1(version.data(), static_cast<qsizetype>(version.size())))
                          .arg(formatVersion));

    Read result = readSections(lines, version.front() - '0');
    // A file that does not end as every plan does was cut short or damaged
    // on its way, whatever its first fault.
    if (!result.ok() && lines.back().text != endLine && !result.error.startsWith(QLatin1String("it is cut short")))
        result.error = QStringLiteral("it is incomplete or damaged (it does not end with [end]): ") + result.error;
    return result;
}


namespace {

// Why a path that does not lead to a file leads nowhere: a link to a file
// that is not there, a link that leads back to itself, or nothing at all.
QString whyMissing(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat leads {};
    if (::stat(native.constData(), &leads) != 0 && errno == ELOOP)
        return QStringLiteral("it is a link that leads back to itself");
    if (QFileInfo(path).isSymLink())
        return QStringLiteral("it is a link to a file that is not there");
    return QStringLiteral("there is no such file");
}

} // namespace

Read read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return failed(whyMissing(path));
    if (info.isDir())
        return failed(QStringLiteral("it is a folder"));
    if (!info.isFile())
        return failed(QStringLiteral("it is not an ordinary file"));
    if (info.size() > largestPlan)
        return failed(QStringLiteral("it is larger than any plan could be (over 1 MiB)"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    // The file may have grown since it was looked at.
    const QByteArray text = file.read(largestPlan + 1);
    if (file.error() != QFileDevice::NoError)
        return failed(file.errorString());
    return fromText(text);
}

QString open(Sheet& sheet, const QString& path)
{
    Read plan = read(path);
    if (!plan.ok())
        return plan.error;
    return QString::fromStdString(sheet.restore(plan.state));
}

namespace {

// Gives the new file what the old one had beyond its text: its mode, its
// owner and group where this user may set them, and its extended
// attributes, the ACLs among them (the mode first, as an ACL sets the
// group's bits).
void keepAttributes(int fd, const QByteArray& old, const struct stat& was)
{
    ::fchmod(fd, was.st_mode & 07777);
    if (::fchown(fd, was.st_uid, was.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), was.st_gid) != 0) {
        // Another user's plan becomes this user's, as any file one writes.
    }
    const ssize_t size = ::listxattr(old.constData(), nullptr, 0);
    if (size <= 0)
        return;
    std::vector<char> names(static_cast<std::size_t>(size));
    const ssize_t got = ::listxattr(old.constData(), names.data(), names.size());
    for (std::size_t at = 0; got > 0 && at < static_cast<std::size_t>(got);) {
        const char* name = names.data() + at;
        at += std::strlen(name) + 1;
        const ssize_t length = ::getxattr(old.constData(), name, nullptr, 0);
        if (length < 0)
            continue;
        std::vector<char> value(static_cast<std::size_t>(length));
        const ssize_t read = ::getxattr(old.constData(), name, value.data(), value.size());
        if (read >= 0)
            (void)::fsetxattr(fd, name, value.data(), static_cast<std::size_t>(read), 0);
    }
}

// Writes the whole text to fd, past the stream's buffers; returns the
// system's reason for a write that failed, else empty.
QString writeAll(int fd, QByteArrayView text)
{
    for (qsizetype done = 0; done < text.size();) {
        const ssize_t wrote = ::write(fd, text.data() + done, static_cast<std::size_t>(text.size() - done));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return QString::fromLocal8Bit(std::strerror(wrote < 0 ? errno : EIO));
        done += wrote;
    }
    return {};
}

QString systemReason(const QFileDevice& file)
{
    const QString why = file.errorString();
    return why.isEmpty() || why == QLatin1String("Unknown error") ? QStringLiteral("the system gave no reason") : why;
}

} // namespace

QString write(const SheetState& state, const QString& path)
{
    const QByteArray text = toText(state);
    // A plan that would not open again is not written at all.
    if (text.size() > largestPlan)
        return QStringLiteral("the plan would be larger than a plan may be (over 1 MiB); shorten its longest texts");
    if (const Read back = fromText(text); !back.ok() || back.state != state)
        return QStringLiteral("the plan would not open again as it is (%1)").arg(back.error);

    // Through a link, the file it leads to is written, and the link stays.
    QString target = path;
    QFileInfo info(path);
    if (info.isSymLink()) {
        if (!info.exists())
            return whyMissing(path);
        target = info.canonicalFilePath();
        info = QFileInfo(target);
    }
    if (info.exists() && !info.isFile())
        return info.isDir() ? QStringLiteral("it is a folder") : QStringLiteral("it is not an ordinary file");
    const QByteArray native = QFile::encodeName(target);
    struct stat was {};
    const bool replaces = ::stat(native.constData(), &was) == 0;

    QSaveFile file(target);
    // Where the folder takes no new file but the plan itself may be written,
    // it is written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly))
        return systemReason(file);
    struct stat writing {};
    if (replaces && ::fstat(file.handle(), &writing) == 0 && writing.st_ino != was.st_ino)
        keepAttributes(file.handle(), native, was);
    // Every byte is checked before the new file takes the old one's place:
    // a disk that is full, a quota or a failing device leaves the old file.
    if (const QString why = writeAll(file.handle(), text); !why.isEmpty()) {
        file.cancelWriting(); // and the new file goes with the QSaveFile
        return why;
    }
    if (!file.commit())
        return systemReason(file);
    return {};
}

Stamp stampOf(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return {};
    Stamp stamp{true, info.size(), info.lastModified(), {}};
    if (QFile file(path); info.size() <= largestPlan && file.open(QIODevice::ReadOnly))
        stamp.digest = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    return stamp;
}

QString nameOf(const QString& path)
{
    return QFileInfo(path).completeBaseName();
}

Failure openFailed(const QString& path, const QString& why)
{
    return {QStringLiteral("Open Plan"),
            QStringLiteral("\"%1\" cannot be opened: %2.").arg(QFileInfo(path).fileName(), why)};
}

// A failed save names the whole path: two folders may each hold a plan of
// that name.
Failure saveFailed(const QString& path, const QString& why)
{
    return {QStringLiteral("Save Plan"), QStringLiteral("\"%1\" cannot be saved: %2.")
                                             .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()), why)};
}

} // namespace plan
