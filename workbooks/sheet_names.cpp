#include "sheet_names.h"

#include <algorithm>

namespace tokivane {

namespace {

constexpr qsizetype kMaxLength = 31;
constexpr QStringView kForbidden = u"[]:*?/\\";
constexpr QStringView kFullWidthForms = u"［］：＊？／＼";
constexpr QChar kApostrophe = u'\'';
constexpr QStringView kUnnamed = u"シート%1";
constexpr QStringView kReserved = u"History";
constexpr QStringView kNumbered = u" (%1)";

// The name with the characters a sheet name cannot hold replaced, control
// characters as blanks, and without apostrophes at its ends.
QString cleaned(const QString& name) {
    QString text = name;
    for (QChar& c : text) {
        if (const qsizetype at = kForbidden.indexOf(c); at >= 0)
            c = kFullWidthForms[at];
        else if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == kApostrophe)
        ++first;
    while (last > first && text[last - 1] == kApostrophe)
        --last;
    return text.sliced(first, last - first);
}

// The base cut short enough for the suffix after it, never inside a
// surrogate pair, and without an apostrophe at its end.
QString fitted(const QString& base, const QString& suffix) {
    qsizetype length = std::min(base.size(), kMaxLength - suffix.size());
    if (length > 0 && length < base.size() && base[length - 1].isHighSurrogate())
        --length;
    while (suffix.isEmpty() && length > 1 && base[length - 1] == kApostrophe)
        --length;
    return base.first(length) + suffix;
}

bool isTaken(const QString& name, const QStringList& taken) {
    return name.compare(kReserved, Qt::CaseInsensitive) == 0 ||
           taken.contains(name, Qt::CaseInsensitive);
}

} // namespace

QStringList sheetNamesOf(const QStringList& tableNames) {
    QStringList names;
    names.reserve(tableNames.size());
    for (const QString& tableName : tableNames) {
        QString base = cleaned(tableName);
        if (base.isEmpty())
            base = kUnnamed.toString().arg(names.size() + 1);
        QString name = fitted(base, QString());
        for (int number = 2; isTaken(name, names); ++number)
            name = fitted(base, kNumbered.toString().arg(number));
        names.append(name);
    }
    return names;
}

} // namespace tokivane
