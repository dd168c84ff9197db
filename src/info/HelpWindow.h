#pragma once

#include <QWidget>

class QPlainTextEdit;

namespace pluviane {

class AppWindows;

// "Окно помощи": a fixed help text in a memo the user may scroll and type into.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(AppWindows& windows);

    QPlainTextEdit* memo() const { return memo_; }

private:
    AppWindows& windows_;
    QPlainTextEdit* memo_ = nullptr;
};

// The help text, one string per line.
QStringList helpLines();

} // namespace pluviane
