#pragma once

#include <QWidget>

namespace pluviane {

class AppWindows;

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(AppWindows& windows);

private:
    AppWindows& windows_;
};

} // namespace pluviane
