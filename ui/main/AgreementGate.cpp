#include "ui/main/AgreementGate.h"

#include "ui/dialogs/AgreementText.h"
#include "ui/dialogs/DialogRunner.h"
#include "ui/dialogs/EulaDialog.h"

#include <QFileInfo>

AgreementGate::AgreementGate(const QString& appDir)
    : flagPath_(appDir + QStringLiteral("/../../eula_accepted.flag"))
{
}

bool AgreementGate::pass(QWidget* parent) const
{
    if (QFileInfo::exists(flagPath_))
        return true;
    EulaDialog dialog(flagPath_, parent);
    dialog.showAgreement(agreementHtml());
    return DialogRunner::exec(dialog) == QDialog::Accepted;
}
