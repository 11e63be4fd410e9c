#include "common/shortdate.h"

#include <QStringList>
#include <algorithm>

namespace qm {

namespace {

bool digitsOnly(const QString &text, qsizetype minimum, qsizetype maximum)
{
    return text.size() >= minimum && text.size() <= maximum
           && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

} // namespace

QDate readShortDate(const QString &text)
{
    const QStringList parts = text.trimmed().split(u'/');
    if (parts.size() != 3 || !digitsOnly(parts[0], 1, 2) || !digitsOnly(parts[1], 1, 2) || !digitsOnly(parts[2], 4, 4))
        return {};
    return QDate(parts[2].toInt(), parts[1].toInt(), parts[0].toInt());
}

} // namespace qm
