// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/documents/htmlencoding.h"

#include "text/encoding/windows1252.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace lexalon {
namespace {

// A declaration is looked for in this many bytes at most, as browsers do.
constexpr qsizetype declarationSpan = 1024;

enum class Encoding { Utf8, Utf16Le, Utf16Be, Windows1252, Other };

struct Choice
{
    Encoding encoding;
    QByteArray name = {}; // of an Other encoding, for Qt's decoder
};

std::optional<Choice> byteOrderMark(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return Choice{Encoding::Utf8};
    if (bytes.startsWith("\xFF\xFE"))
        return Choice{Encoding::Utf16Le};
    if (bytes.startsWith("\xFE\xFF"))
        return Choice{Encoding::Utf16Be};
    return std::nullopt;
}

bool isNameByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == ':';
}

// The name after `key`, '=' and an optional quote, in lower-case bytes.
QByteArray valueAfter(QByteArrayView lower, qsizetype keyEnd)
{
    qsizetype at = keyEnd;
    const auto skipSpaces = [&] {
        while (at < lower.size() && (lower[at] == ' ' || lower[at] == '\t' || lower[at] == '\n' || lower[at] == '\r'))
            ++at;
    };
    skipSpaces();
    if (at >= lower.size() || lower[at] != '=')
        return {};
    ++at;
    skipSpaces();
    if (at < lower.size() && (lower[at] == '"' || lower[at] == '\''))
        ++at;
    const qsizetype start = at;
    while (at < lower.size() && isNameByte(lower[at]))
        ++at;
    return lower.sliced(start, at - start).toByteArray();
}

// The encoding named in the XML declaration that starts the bytes.
QByteArray xmlDeclaration(QByteArrayView lower)
{
    if (!lower.startsWith("<?xml"))
        return {};
    const qsizetype end = lower.indexOf("?>");
    const QByteArrayView declaration = end < 0 ? lower : lower.first(end);
    const qsizetype key = declaration.indexOf("encoding");
    return key < 0 ? QByteArray() : valueAfter(declaration, key + 8);
}

// The charset of the first <meta> that names one: <meta charset=...> or
// <meta http-equiv="Content-Type" content="text/html; charset=...">.
QByteArray metaCharset(QByteArrayView lower)
{
    for (qsizetype meta = lower.indexOf("<meta"); meta >= 0; meta = lower.indexOf("<meta", meta + 5)) {
        const qsizetype end = lower.indexOf('>', meta);
        const QByteArrayView tag = lower.sliced(meta, (end < 0 ? lower.size() : end) - meta);
        const qsizetype key = tag.indexOf("charset");
        if (key >= 0) {
            QByteArray name = valueAfter(tag, key + 7);
            if (!name.isEmpty())
                return name;
        }
    }
    return {};
}

std::optional<Choice> named(const QByteArray &name)
{
    static const QByteArrayView windows1252Names[] = {"windows-1252", "cp1252", "x-cp1252", "iso-8859-1", "iso8859-1",
                                                      "iso_8859-1", "latin1", "l1", "us-ascii", "ascii", "cp819"};
    if (name.isEmpty())
        return std::nullopt;
    if (name == "utf-8" || name == "utf8" || name.startsWith("utf-16") || name.startsWith("utf16"))
        return Choice{Encoding::Utf8};
    for (const QByteArrayView known : windows1252Names) {
        if (name == known)
            return Choice{Encoding::Windows1252};
    }
    if (QStringDecoder(name.constData()).isValid())
        return Choice{Encoding::Other, name};
    return std::nullopt;
}

Choice choose(QByteArrayView bytes)
{
    if (const auto mark = byteOrderMark(bytes))
        return *mark;
    const QByteArray lower = bytes.first(std::min(bytes.size(), declarationSpan)).toByteArray().toLower();
    if (const auto declared = named(xmlDeclaration(lower)))
        return *declared;
    if (const auto declared = named(metaCharset(lower)))
        return *declared;
    return Choice{QUtf8StringView(bytes).isValidUtf8() ? Encoding::Utf8 : Encoding::Windows1252};
}

QString decode(QStringDecoder &&decoder, QByteArrayView bytes)
{
    return decoder.decode(bytes);
}

} // namespace

QString decodeWebPage(QByteArrayView bytes)
{
    const Choice choice = choose(bytes);
    switch (choice.encoding) {
    case Encoding::Utf8:
        return decode(QStringDecoder(QStringDecoder::Utf8), bytes);
    case Encoding::Utf16Le:
        return decode(QStringDecoder(QStringDecoder::Utf16LE), bytes.sliced(2));
    case Encoding::Utf16Be:
        return decode(QStringDecoder(QStringDecoder::Utf16BE), bytes.sliced(2));
    case Encoding::Windows1252:
        return decodeWindows1252(bytes);
    case Encoding::Other:
        break;
    }
    return decode(QStringDecoder(choice.name.constData()), bytes);
}

} // namespace lexalon
