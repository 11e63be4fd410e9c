#pragma once

#include <QString>
#include <stdexcept>

namespace qm {

// A run-time error as the screens' handlers see it: a number and a description.
// Handlers that trap errors catch this type; anything else is a bug.
class Error : public std::runtime_error
{
public:
    Error(int number, const QString &description);

    int Number() const;
    QString Description() const;

private:
    int m_number;
    QString m_description;
};

// Error numbers the layer raises (the numbers follow the old engine's where one existed).
namespace ErrorCode {
constexpr int TypeMismatch = 13;
constexpr int InvalidUseOfNull = 94;
constexpr int ObjectRequired = 424;
constexpr int NoCurrentRecord = 3021;
constexpr int FileNotFound = 3024;
constexpr int SyntaxError = 3075;
constexpr int ItemNotFound = 3265; // no field of that name
constexpr int RecordIsDeleted = 3167;
constexpr int UpdateWithoutEdit = 3020;
constexpr int NotUpdatable = 3027;
constexpr int CheckFailed = 3317; // a value the column cannot hold
constexpr int DataTypeConversion = 3421;
constexpr int ActionCancelled = 3426;
constexpr int ObjectClosed = 3420;
constexpr int DatabaseError = 3000; // anything else the engine reports
} // namespace ErrorCode

} // namespace qm
