// SPDX-License-Identifier: MIT
#include "ui/frmabout.h"

#include "core/general.h"
#include "platform/platform.h"
#include "ui/accessiblenames.h"
#include "ui/form2.h"
#include "ui/picturebox.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {
QPointer<frmAbout> s_instance;

constexpr int RegString = 1;
constexpr int RegNumber = 4;
}

frmAbout *frmAbout::instance()
{
    if (!s_instance)
        s_instance = new frmAbout(Form2::instance());
    return s_instance;
}

frmAbout::frmAbout(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("About MyApp"));
    setFixedSize(420, 220);

    picIcon = new PictureBox(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setGeometry(16, 16, 64, 64);
    picIcon->setPictureResource(QStringLiteral(":/images/about.jpg"));

    const auto label = [this](const char *name, const QString &text, QRect geometry) {
        auto *control = new QLabel(text, this);
        control->setTextFormat(Qt::PlainText);
        control->setObjectName(QLatin1String(name));
        control->setGeometry(geometry);
        return control;
    };
    lblTitle = label("lblTitle", QStringLiteral("Application Title"), QRect(96, 16, 300, 28));
    QFont titleFont = lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = label("lblVersion", QStringLiteral("Version"), QRect(96, 50, 300, 20));
    lblDescription = label("lblDescription", QString(), QRect(96, 76, 300, 40));
    lblDisclaimer = label("lblDisclaimer", QString(), QRect(16, 140, 260, 60));
    lblDisclaimer->setWordWrap(true);

    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);
    Line1->setFrameShadow(QFrame::Sunken);
    Line1->setGeometry(16, 126, 388, 4);

    cmdOK = new QPushButton(tr("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setGeometry(292, 140, 112, 30);
    cmdOK->setDefault(true);
    cmdSysInfo = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdSysInfo->setGeometry(292, 178, 112, 30);

    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);
    connect(cmdSysInfo, &QPushButton::clicked, this, &frmAbout::cmdSysInfo_Click);
    Form_Load();
    AccessibleNames::give(this);
}

void frmAbout::Form_Load()
{
    const Platform &platform = Platform::instance();
    setWindowTitle(tr("About %1").arg(platform.appTitle()));
    lblVersion->setText(tr("Version %1.%2.%3")
                            .arg(platform.versionMajor())
                            .arg(platform.versionMinor())
                            .arg(platform.versionRevision()));
    lblTitle->setText(platform.appTitle());
    lblDescription->setText(tr(" Creates Fotoweaves"));
}

void frmAbout::cmdOK_Click()
{
    close(); // deletes the box; the next opening loads it afresh
}

void frmAbout::cmdSysInfo_Click()
{
    General::runHandler([this] { StartSysInfo(); });
}

void frmAbout::StartSysInfo()
{
    Platform &platform = Platform::instance();
    try {
        QString path;
        bool found = GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                                 QStringLiteral("PATH"), path);
        if (!found
            && GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                           QStringLiteral("MSINFO"), path)
            && platform.fileExists(path + QStringLiteral("\\MSINFO32.EXE"))) {
            path += QStringLiteral("\\MSINFO32.EXE");
            found = true;
        }
        if (found && platform.startProgram(path))
            return;
    } catch (const std::exception &) {
        // Any failure on the way means the same thing to the user.
    }
    platform.messageBox(tr("System Information Is Unavailable At This Time"));
}

bool frmAbout::GetKeyValue(quint32 KeyRoot, const QString &KeyName, const QString &SubKeyRef, QString &KeyVal)
{
    // Only the local machine's keys are looked up.
    const std::optional<RegistryValue> value =
        KeyRoot == HKEY_LOCAL_MACHINE ? Platform::instance().readRegistry(KeyName, SubKeyRef) : std::nullopt;
    if (!value) {
        KeyVal.clear();
        return false;
    }

    QString kept = value->data;
    if (!kept.isEmpty() && kept.back() == QChar(u'\0'))
        kept.chop(1);

    if (value->type == RegString) {
        KeyVal = kept;
    } else if (value->type == RegNumber) {
        for (qsizetype i = kept.size() - 1; i >= 0; --i)
            KeyVal += QString::number(kept[i].unicode(), 16).toUpper();
        KeyVal = QStringLiteral("&h") + KeyVal;
    }
    return true;
}
