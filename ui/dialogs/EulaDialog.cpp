#include "ui/dialogs/EulaDialog.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {

const char* const kSheet = "#titleLabel { color: #2C3E50; font-weight: bold; }\n"
                           "#agreeBtn { background-color: #3498DB; color: white; border: none; border-radius: 6px; "
                           "padding: 8px 24px; font-size: 16px; }\n"
                           "#agreeBtn:hover { background-color: #2E86C1; }\n"
                           "#exitBtn { background-color: #95A5A6; color: white; border: none; border-radius: 6px; "
                           "padding: 8px 24px; font-size: 16px; }\n"
                           "#exitBtn:hover { background-color: #7F8C8D; }\n";

} // namespace

EulaDialog::EulaDialog(const QString& flagPath, QWidget* parent)
    : QDialog(parent)
    , flagPath(flagPath)
{
    buildWidgets();
    setTexts();
    setStyleSheet(QString::fromUtf8(kSheet));
    resize(600, 450);
    setMinimumSize(600, 450);
    connect(agreeBtn, &QPushButton::clicked, this, &EulaDialog::onAgreeClicked);
    connect(exitBtn, &QPushButton::clicked, this, &EulaDialog::onExitClicked);
}

void EulaDialog::buildWidgets()
{
    titleLabel = new QLabel(this);
    titleLabel->setObjectName(QStringLiteral("titleLabel"));
    titleLabel->setFont(QFont(QStringLiteral("Microsoft YaHei"), 20));

    textEdit = new QTextEdit(this);
    textEdit->setObjectName(QStringLiteral("textEdit"));
    textEdit->setReadOnly(true);
    textEdit->setStyleSheet(QStringLiteral("font-size: 14px; border: 1px solid #BDC3C7; border-radius: 4px;"));

    exitBtn = new QPushButton(this);
    exitBtn->setObjectName(QStringLiteral("exitBtn"));
    agreeBtn = new QPushButton(this);
    agreeBtn->setObjectName(QStringLiteral("agreeBtn"));

    auto* buttonLayout = new QHBoxLayout;
    buttonLayout->setObjectName(QStringLiteral("buttonLayout"));
    buttonLayout->addWidget(exitBtn);
    buttonLayout->addWidget(agreeBtn);

    auto* verticalLayout = new QVBoxLayout(this);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->addWidget(titleLabel);
    verticalLayout->addWidget(textEdit);
    verticalLayout->addLayout(buttonLayout);
}

void EulaDialog::setTexts()
{
    setWindowTitle(QStringLiteral("使用前请阅读用户协议"));
    titleLabel->setText(QStringLiteral("使用前请阅读用户协议"));
    exitBtn->setText(QStringLiteral("退出"));
    agreeBtn->setText(QStringLiteral("同意并继续"));
}

void EulaDialog::showAgreement(const QString& html)
{
    textEdit->setHtml(html);
    textEdit->moveCursor(QTextCursor::Start);
}

void EulaDialog::onAgreeClicked()
{
    accepted = true;
    QFile flag(flagPath);
    if (flag.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        flag.write("1");
        flag.close();
    }
    accept();
}

void EulaDialog::onExitClicked()
{
    accepted = false;
    reject();
}
