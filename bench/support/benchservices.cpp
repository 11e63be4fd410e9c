#include "bench/support/benchservices.h"

namespace qm {

BenchServices::BenchServices(QString folder)
    : m_folder(std::move(folder))
{
}

QString BenchServices::programFolder() const
{
    return m_folder;
}

void BenchServices::exitNormally() {}

} // namespace qm
