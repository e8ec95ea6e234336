// The disclaimer every start shows: "ACCEPT" goes on to the main window,
// "DECLINE" (or closing it) ends the program.
#pragma once

#include <QDialog>
#include <QImage>

namespace thermalyx {

class DisclaimerDialog : public QDialog {
    Q_OBJECT

public:
    explicit DisclaimerDialog(QWidget* parent = nullptr);

    // The six texts, top to bottom.
    static QStringList texts();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage logo_;
    QPoint logoPosition_;
};

}  // namespace thermalyx
