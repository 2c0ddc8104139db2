// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text/encoding/windows1252.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace lexalon::testing {

// A PDF file of the given objects, numbered from 1, with its cross-reference
// table; the trailer names object 1 as the catalog, plus `trailer`.
inline QByteArray pdfFile(const QList<QByteArray> &objects, const QByteArray &trailer = {})
{
    QByteArray pdf = "%PDF-1.4\n";
    QList<qsizetype> offsets;
    for (qsizetype i = 0; i < objects.size(); ++i) {
        offsets.append(pdf.size());
        pdf += QByteArray::number(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 " + QByteArray::number(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const qsizetype offset : offsets)
        pdf += QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    pdf += "trailer\n<< /Size " + QByteArray::number(objects.size() + 1) + " /Root 1 0 R " + trailer
         + " >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

inline QByteArray pdfStream(const QByteArray &content)
{
    return "<< /Length " + QByteArray::number(content.size()) + " >>\nstream\n" + content + "\nendstream";
}

// A page's lines drawn top down in Helvetica, as a content stream.
inline QByteArray pdfTextContent(const QStringList &lines)
{
    QByteArray content = "BT /F1 12 Tf 14 TL 72 760 Td\n";
    for (const QString &line : lines) {
        const QByteArray bytes = encodeWindows1252(line);
        QByteArray escaped;
        for (const char c : bytes) {
            if (c == '(' || c == ')' || c == '\\')
                escaped += '\\';
            escaped += c;
        }
        content += "(" + escaped + ") Tj T*\n";
    }
    return content + "ET";
}

// A PDF whose pages hold the given content streams; objects after the pages
// come from `extra`, numbered from 4 + 2 × pages.
inline QByteArray pdfOfContents(const QList<QByteArray> &contents, const QByteArray &trailer = {},
                                const QList<QByteArray> &extra = {})
{
    QList<QByteArray> objects = {"<< /Type /Catalog /Pages 2 0 R >>", {},
                                 "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>"};
    QByteArray kids;
    for (const QByteArray &content : contents) {
        const qsizetype page = objects.size() + 1;
        kids += QByteArray::number(page) + " 0 R ";
        objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 3 0 R >> >>"
                       " /Contents " + QByteArray::number(page + 1) + " 0 R >>");
        objects.append(pdfStream(content));
    }
    objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + QByteArray::number(contents.size()) + " >>";
    return pdfFile(objects + extra, trailer);
}

// A PDF of text pages, each given as its lines.
inline QByteArray textPdf(const QList<QStringList> &pages)
{
    QList<QByteArray> contents;
    for (const QStringList &lines : pages)
        contents.append(pdfTextContent(lines));
    return pdfOfContents(contents);
}

} // namespace lexalon::testing
