#include "shell/ci.h"

#include "common/databases.h"
#include "platform/datacontrol.h"
#include "platform/filelistbox.h"
#include "platform/msgbox.h"
#include "platform/services.h"
#include "shell/menu2.h"
#include "shell/module1.h"

#include <QBuffer>
#include <QDir>
#include <utility>
#include <vector>

namespace qm {

LogoBox::LogoBox(QWidget *parent)
    : PictureBox(parent)
{
}

void LogoBox::setPicture(const QPixmap &picture)
{
    PictureBox::setPicture(picture);
    boundValueChanged();
}

Value LogoBox::boundValue() const
{
    if (Picture().isNull())
        return Value();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    Picture().save(&buffer, "BMP");
    return Value::blob(bytes);
}

void LogoBox::fillBound(const Value &value)
{
    QPixmap picture;
    if (!value.isNull())
        picture.loadFromData(value.toBlob()); // stored data that is no picture shows nothing
    PictureBox::setPicture(picture);
    boundValueChanged();
}

CI::CI()
    : Form(QStringLiteral("CI"))
{
    buildLayout();
    for (Data *data : {info, pic}) {
        data->DatabaseName = BusinessFile;
        data->Connect = AccessConnect;
        data->EOFAction = vbEOFActionAddNew; // an empty table starts its first row here
    }
    info->RecordSource = QStringLiteral("info");
    pic->RecordSource = QStringLiteral("pic");
    // In screen order; the hidden Text1(3) shares the address column with Text1(1).
    const std::vector<std::pair<Bindable *, QString>> bound
        = {{Text1[0], "a"}, {Text1[1], "b"},  {Text1[2], "c"},  {Combo1, "d"},   {Text1[3], "b"},
           {Text1[4], "e"}, {Text1[5], "f"},  {Text1[6], "g"},  {Text1[7], "n"}, {Text1[8], "i"},
           {Text1[9], "j"}, {Text1[10], "l"}, {Text1[11], "o"}, {Text1[12], "k"}};
    for (const auto &[control, column] : bound)
        control->setDataSource(info, column);
    Picture1->setDataSource(pic, QStringLiteral("pic"));

    info->onValidate = [this](DataAction &action, bool &save) { info_Validate(action, save); };
    File1->onClick = [this] { File1_Click(); };
    Command1->onClick = [this] { Command1_Click(); };
}

void CI::Form_Load()
{
    CentreForm(*sspanel100);
    for (const char *state : {"Vic", "NSW", "Qld", "SA", "WA", "TAS", "NT", "ACT"})
        Combo1->AddItem(QString::fromLatin1(state));
    File1->setPattern(QStringLiteral("*.bmp"));
    File1->setPath(services().programFolder());
    // Opened here rather than after loading, so that a missing or broken file is reported
    // once and the screen still comes up (empty) with its way back to the menu.
    bool reported = false;
    for (Data *data : {info, pic}) {
        try {
            data->Refresh();
        } catch (const Error &e) {
            if (!reported)
                MsgBox(e.Description(), vbExclamation);
            reported = true;
        }
    }
}

void CI::info_Validate(DataAction &, bool &) {}

void CI::File1_Click()
{
    const QString file = QDir(File1->Path()).filePath(File1->FileName());
    try {
        Picture1->setPicture(LoadPicture(file));
    } catch (const Error &e) {
        // The logo stays as it was.
        MsgBox(QStringLiteral("%1 cannot be used as the logo: %2").arg(File1->FileName(), e.Description()),
               vbExclamation);
    }
}

void CI::Command1_Click()
{
    Forms::get<Menu2>().Show();
    info->DatabaseName.clear();
    info->Refresh();
    Forms::Unload(*this);
}

} // namespace qm
