#include "hosts/ui/cell_text.h"

#include <charconv>
#include <cmath>
#include <string>

#include <QStringList>

namespace tavelmark::ui {

CellValue CellValueFromText(const QString& text) {
    if (text.isEmpty()) return std::monostate{};
    // Full-width digits and points from a Chinese input method read as digits.
    const std::string ascii =
        text.normalized(QString::NormalizationForm_KC).trimmed().toStdString();
    std::string_view s = ascii;
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    if (!s.empty() && (std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '-' ||
                       s.front() == '.')) {
        double v = 0;
        const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (error == std::errc{} && end == s.data() + s.size() && std::isfinite(v)) return v;
    }
    return text.toStdString();
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
