#include "data/error.h"

#include <utility>

namespace qm {

namespace {
const std::pair<int, const char *> StandardTexts[] = {
    {ErrorCode::InvalidProcedureCall, "Invalid procedure call or argument"},
    {ErrorCode::IndexOutOfRange, "Subscript out of range"},
    {ErrorCode::Overflow, "Overflow"},
    {ErrorCode::TypeMismatch, "Type mismatch"},
    {ErrorCode::NoSuchFile, "File not found"},
    {ErrorCode::ObjectNotSet, "Object variable or With block variable not set"},
    {ErrorCode::InvalidUseOfNull, "Invalid use of Null"},
    {ErrorCode::InvalidPropertyValue, "Invalid property value"},
    {ErrorCode::SubscriptOutOfRange, "Subscript out of range"},
    {ErrorCode::ReadOnlyProperty, "'Text' property is read-only"},
    {ErrorCode::InvalidPicture, "Invalid picture"},
    {ErrorCode::PrinterError, "Printer error"},
    {ErrorCode::UserNameUnavailable, "The user name could not be read."},
    {ErrorCode::UpdateWithoutEdit, "Update or CancelUpdate without AddNew or Edit."},
    {ErrorCode::NoCurrentRecord, "No current record."},
    {ErrorCode::NotUpdatable, "Cannot update. Database or object is read-only."},
    {ErrorCode::TrailingCharacters, "Characters found after end of SQL statement."},
    {ErrorCode::InvalidBookmark, "Not a valid bookmark."},
    {ErrorCode::RecordIsDeleted, "Record is deleted."},
    {ErrorCode::InvalidOperation, "Invalid operation."},
    {ErrorCode::ItemNotFound, "Item not found in this collection."},
    {ErrorCode::ObjectClosed, "Object invalid or no longer set."},
    {ErrorCode::DataTypeConversion, "Data type conversion error."},
    {ErrorCode::ActionCancelled, "This action was cancelled by an associated object."},
    {ErrorCode::InvalidRow, "Invalid Row value"},
    {ErrorCode::InvalidCol, "Invalid Col value"},
    {ErrorCode::PrintCancelled, "Request cancelled by the user."},
};
} // namespace

QString standardErrorText(int number)
{
    for (const auto &[code, text] : StandardTexts) {
        if (code == number)
            return QString::fromUtf8(text);
    }
    return QStringLiteral("Error %1").arg(number);
}

Error::Error(int number, const QString &description)
    : std::runtime_error(description.toStdString())
    , m_number(number)
    , m_description(description)
{
}

Error::Error(int number)
    : Error(number, standardErrorText(number))
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
