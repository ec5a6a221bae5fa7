// "Enter password": the dialog that grants developer access.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace console {

class TfrmPassword : public QDialog {
    Q_OBJECT
public:
    // What exec() returns; Esc and "Cancel" give Cancel, QDialog's rejection.
    enum Result { Cancel = QDialog::Rejected, Ok = QDialog::Accepted, Yes, Retry };

    explicit TfrmPassword(QWidget* parent = nullptr);

    QLineEdit* edPassword;
    QPushButton* btnCheck;
    QPushButton* btnCancel;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void btnCheckClick();
};

} // namespace console
