#include "shell/frmabout.h"

#include "data/error.h"
#include "platform/msgbox.h"
#include "platform/services.h"
#include "shell/module1.h"

#include <QFileInfo>

namespace qm {

namespace {
const QString HKeyLocalMachine = QStringLiteral("HKEY_LOCAL_MACHINE");
}

frmAbout::frmAbout()
    : Form(QStringLiteral("frmAbout"))
{
    buildLayout();
    cmdOK->onClick = [this] { cmdOK_Click(); };
    cmdSysInfo->onClick = [this] { cmdSysInfo_Click(); };
}

void frmAbout::Form_Load()
{
    setCaption(QStringLiteral("About ") + appTitle());
    lblVersion->setCaption(versionText());
    lblTitle->setCaption(appTitle());
}

void frmAbout::cmdOK_Click()
{
    Forms::Unload(*this);
}

void frmAbout::cmdSysInfo_Click()
{
    StartSysInfo();
}

void frmAbout::StartSysInfo()
{
    try {
        QString path;
        if (!GetKeyValue(HKeyLocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                         QStringLiteral("PATH"), path)) {
            if (!GetKeyValue(HKeyLocalMachine, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                             QStringLiteral("MSINFO"), path))
                throw Error(ErrorCode::NoSuchFile);
            const QString program = path + QStringLiteral("\\MSINFO32.EXE");
            if (!QFileInfo::exists(programFile(program)))
                throw Error(ErrorCode::NoSuchFile);
            path = program;
        }
        if (!services().startProgram(path))
            throw Error(ErrorCode::NoSuchFile);
    } catch (const Error &) {
        MsgBox(QStringLiteral("System Information Is Unavailable At This Time"), vbOKOnly);
    }
}

bool frmAbout::GetKeyValue(const QString &keyRoot, const QString &keyName, const QString &subKeyRef, QString &keyVal)
{
    QString value;
    if (!services().readRegistry(keyRoot, keyName, subKeyRef, value)) {
        keyVal.clear();
        return false;
    }
    // A value whose reported size counts its terminating NUL loses exactly that NUL.
    if (value.endsWith(QChar(0)))
        value.chop(1);
    keyVal = value;
    return true;
}

} // namespace qm
