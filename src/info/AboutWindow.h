#pragma once

#include <QWidget>

namespace pluviane {

class AppWindows;

class AboutWindow : public QWidget {
    Q_OBJECT
public:
    explicit AboutWindow(AppWindows& windows);

private:
    AppWindows& windows_;
};

} // namespace pluviane
