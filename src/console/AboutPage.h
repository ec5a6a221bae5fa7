// The About page: a picture drawn at start and the contact lines below it.
#pragma once

#include <QWidget>

class QLabel;

namespace console {

class AboutPage : public QWidget {
    Q_OBJECT
public:
    explicit AboutPage(QWidget* parent = nullptr);

    QLabel* imgLogo;
    QLabel* memoContacts;

protected:
    void resizeEvent(QResizeEvent* event) override;
};

} // namespace console
