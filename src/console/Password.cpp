// The password dialog: its fixed layout and the check of the typed code.
#include "console/Password.h"

#include "console/AccessCodes.h"

#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace console {

TfrmPassword::TfrmPassword(QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Enter password"));
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed")});
    font.setPixelSize(11);
    setFont(font);
    setFixedSize(328, 119);

    auto* label = new QLabel(QStringLiteral("Enter password to access additional settings"), this);
    label->move(16, 16);
    edPassword = new QLineEdit(this);
    edPassword->setGeometry(104, 40, 121, 21);
    edPassword->setEchoMode(QLineEdit::Password);
    edPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    btnCheck = new QPushButton(QStringLiteral("Check"), this);
    btnCheck->setGeometry(48, 80, 75, 25);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setGeometry(200, 80, 75, 25);
    // Enter presses "Check" whichever control has the focus.
    btnCancel->setAutoDefault(false);
    btnCheck->setAutoDefault(false);
    btnCheck->setDefault(true);
    connect(btnCheck, &QPushButton::clicked, this, [this] { btnCheckClick(); });
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmPassword::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    edPassword->clear();
    edPassword->setFocus();
}

void TfrmPassword::btnCheckClick() {
    const std::string typed = edPassword->text().toStdString();
    if (typed == kOkCode)
        done(Ok);
    else if (typed == kDeveloperCode)
        done(Yes);
    else if (typed == kRetryCode)
        done(Retry);
    else
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("Wrong password!!!"));
}

} // namespace console
