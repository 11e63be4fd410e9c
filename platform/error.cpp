#include "platform/error.h"

namespace qm {

Error::Error(int number, const QString &description)
    : std::runtime_error(description.toStdString())
    , m_number(number)
    , m_description(description)
{
}

int Error::Number() const
{
    return m_number;
}

QString Error::Description() const
{
    return m_description;
}

} // namespace qm
