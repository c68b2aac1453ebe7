#include "ui/cell_text.h"

#include <charconv>
#include <string>

#include <QStringList>

#include "model/cell_number.h"

namespace tavelmark::ui {

using model::CellValue, model::ReadCellNumber;

CellValue CellValueFromText(const QString& text) {
    if (text.isEmpty()) return std::monostate{};
    std::string utf8 = text.toStdString();
    if (const auto number = ReadCellNumber(utf8)) return *number;
    return utf8;
}

QString CellEditText(const CellValue& value) {
    if (const double* d = std::get_if<double>(&value)) {
        char buffer[32];
        const auto result = std::to_chars(buffer, buffer + sizeof buffer, *d);
        return QString::fromLatin1(buffer, result.ptr - buffer);
    }
    if (const auto* s = std::get_if<std::string>(&value)) return QString::fromStdString(*s);
    return {};
}

TextTable ParseTabSeparated(const QString& text) {
    TextTable rows;
    std::vector<QString> row;
    QString field;
    bool fieldStarted = false;
    const qsizetype n = text.size();
    auto endField = [&] {
        row.push_back(field);
        field.clear();
        fieldStarted = false;
    };
    auto endRow = [&] {
        endField();
        rows.push_back(std::move(row));
        row.clear();
    };
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'"' && !fieldStarted) {
            // A quoted field: "" is one quote, the closing quote ends it.
            fieldStarted = true;
            for (++i; i < n; ++i) {
                if (text[i] == u'"') {
                    if (i + 1 < n && text[i + 1] == u'"') {
                        field += u'"';
                        ++i;
                    } else {
                        break;
                    }
                } else {
                    field += text[i];
                }
            }
            continue;
        }
        if (c == u'\t') {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n') ++i;
            endRow();
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (fieldStarted || !row.empty()) endRow();
    return rows;
}

QString ToTabSeparated(const TextTable& rows) {
    QStringList lines;
    for (const auto& row : rows) {
        QStringList fields;
        for (const QString& field : row) {
            if (field.contains(u'\t') || field.contains(u'\n') || field.contains(u'\r') ||
                field.contains(u'"')) {
                QString quoted = field;
                quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
                fields << QStringLiteral("\"") + quoted + QStringLiteral("\"");
            } else {
                fields << field;
            }
        }
        lines << fields.join(u'\t');
    }
    return lines.join(u'\n');
}

}  // namespace tavelmark::ui
