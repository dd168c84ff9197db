#include "show/DmxPanel.h"

#include "app/AppWindows.h"
#include "app/MainWindow.h"
#include "editor/EditorWindow.h"
#include "editor/FileCommands.h"
#include "editor/FilePrompter.h"
#include "model/ProfileFile.h"
#include "widgets/Controls.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

#include <utility>


namespace pluviane {

namespace {

const QString kSection = QStringLiteral("DMX");
const QString kUniverseKey = QStringLiteral("Universe");
const QString kLevelsKey = QStringLiteral("Levels");
const QString kColoursKey = QStringLiteral("Colours");
const QString kOlaHostKey = QStringLiteral("OlaHost");
const QString kOlaPortKey = QStringLiteral("OlaPort");
constexpr int kMaxPort = 65535;

} // namespace

QString dmxStateText(bool on, bool reached, int universe, bool stalled)
{
    if (!on)
        return DmxPanel::tr("DMX выключен");
    if (stalled)
        return DmxPanel::tr("OLA не принимает кадры");
    if (!reached)
        return DmxPanel::tr("Нет связи с OLA");
    return DmxPanel::tr("OLA: вселенная %1").arg(universe);
}

DmxPanel::DmxPanel(FountainState& state, EditorWindow& editor)
    : QWidget(nullptr), fountain_(state), editor_(editor), settingsPath_(settingsFilePath())
{
    loadPatch();
    loadOlaAddress();
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    dmxCheck_ = makeCheck(this, QStringLiteral("CheckBoxDmx"), QStringLiteral("DMX"), false,
                          tr("Выход уровней и цветов групп в DMX через OLA"));
    stateLabel_ = makeLabel(this, QStringLiteral("LabelDmxState"), {});
    grid->addWidget(dmxCheck_, 0, 0);
    grid->addWidget(stateLabel_, 0, 1);
    universe_ = addSpin(grid, 1, "SpinBoxDmxUniverse", tr("Вселенная"), 0,
                        kMaxDmxUniverse, patch_.universe);
    levels_ = addSpin(grid, 2, "SpinBoxDmxLevels", tr("Канал уровней"), 1,
                      kDmxChannels, patch_.levels);
    colours_ = addSpin(grid, 3, "SpinBoxDmxColours", tr("Канал цветов"), 1,
                       kDmxChannels, patch_.colours);
    olaHost_ = new QLineEdit(QString::fromStdString(olaOptions_.host), this);
    nameUncaptioned(olaHost_, QStringLiteral("EditOlaHost"));
    olaHost_->setToolTip(tr("Машина, где работает OLA (адрес или имя)"));
    auto* hostLabel = makeLabel(this, {}, tr("Машина OLA"));
    hostLabel->setBuddy(olaHost_);
    grid->addWidget(hostLabel, 4, 0);
    grid->addWidget(olaHost_, 4, 1);
    olaPort_ = addSpin(grid, 5, "SpinBoxOlaPort", tr("Порт OLA"), 1, kMaxPort, olaOptions_.port);
    grid->setColumnStretch(1, 1);
    showState();

    connect(dmxCheck_, &QCheckBox::toggled, this, &DmxPanel::CheckBoxDmxClick);
    for (QSpinBox* spin : {universe_, levels_, colours_})
        connect(spin, &QSpinBox::valueChanged, this, &DmxPanel::SpinBoxDmxChange);
    connect(olaHost_, &QLineEdit::editingFinished, this, &DmxPanel::OlaAddressChange);
    connect(olaPort_, &QSpinBox::valueChanged, this, &DmxPanel::OlaAddressChange);
}

// The sender's closing blacks out the universe on the way out of the program.
DmxPanel::~DmxPanel() = default;

QSpinBox* DmxPanel::addSpin(QGridLayout* grid, int row, const char* name,
                            const QString& caption, int minimum, int maximum, int value)
{
    QSpinBox* spin = makeSpin(this, QString::fromLatin1(name), minimum, maximum, value);
    spin->setMinimumWidth(70);
    QLabel* label = makeLabel(this, {}, caption);
    label->setBuddy(spin);
    grid->addWidget(label, row, 0);
    grid->addWidget(spin, row, 1, Qt::AlignLeft);
    return spin;
}

void DmxPanel::CheckBoxDmxClick()
{
    if (dmxCheck_->isChecked()) {
        if (!sender_)
            sender_ = std::make_unique<DmxSender>(olaOptions_);
        sendFrame();
    } else if (sender_) {
        // No pump may be left running on the last levels sent.
        sender_->blackout();
    }
    showState();
}

void DmxPanel::sendFrame()
{
    if (!sender_ || !dmxCheck_->isChecked())
        return;
    const DmxFrame frame = dmxFrame(fountain_, patch_);
    sender_->send(patch_.universe, frame);
    sender_->keep(patch_.universe, frame);
    showState();
}

void DmxPanel::showTicked()
{
    if (!sender_ || !dmxCheck_->isChecked())
        return;
    sender_->keep(patch_.universe, dmxFrame(fountain_, patch_));
    showState();
}

void DmxPanel::SpinBoxDmxChange()
{
    const DmxPatch wanted{universe_->value(), levels_->value(), colours_->value()};
    if (wanted == patch_)
        return;
    const QString problem = dmxPatchProblem(wanted);
    if (!problem.isEmpty()) {
        editor_.fileCommands().prompter().showMessage(&editor_, tr("Сообщение"),
                                                      problem);
        showPatch();
        return;
    }
    patch_ = wanted;
    savePatch();
    sendFrame();
    showState();
}

void DmxPanel::setOlaOptions(const DmxSender::Options& options)
{
    olaOptions_ = options;
    showOlaAddress();
    // A running output goes to the new daemon; the old one's universe blacks out.
    if (sender_) {
        sender_ = std::make_unique<DmxSender>(olaOptions_);
        sendFrame();
        showState();
    }
}

void DmxPanel::OlaAddressChange()
{
    const QString host = olaHost_->text().trimmed();
    if (host.isEmpty()) {
        showOlaAddress();
        return;
    }
    DmxSender::Options wanted = olaOptions_;
    wanted.host = host.toStdString();
    wanted.port = static_cast<std::uint16_t>(olaPort_->value());
    if (wanted.host == olaOptions_.host && wanted.port == olaOptions_.port)
        return;
    setOlaOptions(wanted);
    saveValues({{kOlaHostKey, host}, {kOlaPortKey, QString::number(wanted.port)}});
}

void DmxPanel::setSettingsPath(const QString& path)
{
    settingsPath_ = path;
    loadPatch();
    showPatch();
    loadOlaAddress();
    showOlaAddress();
    sendFrame();
}

void DmxPanel::loadOlaAddress()
{
    const DmxSender::Options defaults;
    const QString host = readProfileString(settingsPath_, kSection, kOlaHostKey, {}).trimmed();
    bool ok = false;
    const int port = readProfileString(settingsPath_, kSection, kOlaPortKey, {}).trimmed().toInt(&ok);
    olaOptions_.host = host.isEmpty() ? defaults.host : host.toStdString();
    // A port that is no port gives way to OLA's own.
    olaOptions_.port = ok && port >= 1 && port <= kMaxPort ? static_cast<std::uint16_t>(port) : defaults.port;
}

void DmxPanel::showOlaAddress()
{
    if (!olaHost_)
        return;
    const QSignalBlocker h(olaHost_), p(olaPort_);
    olaHost_->setText(QString::fromStdString(olaOptions_.host));
    olaPort_->setValue(olaOptions_.port);
}

void DmxPanel::loadPatch()
{
    const DmxPatch defaults;
    QStringList faults;
    // A value that is no number gives way to its default; a missing one is no fault.
    const auto number = [&](const QString& key, int fallback) {
        const QString text = readProfileString(settingsPath_, kSection, key, {}).trimmed();
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok && !text.isEmpty())
            faults << tr("%1=%2 — не число").arg(key, text);
        return ok ? value : fallback;
    };
    const DmxPatch stored{number(kUniverseKey, defaults.universe),
                          number(kLevelsKey, defaults.levels),
                          number(kColoursKey, defaults.colours)};
    // A hand-edited patch that cannot be used gives way to the defaults.
    const QString unusable = dmxPatchProblem(stored);
    patch_ = unusable.isEmpty() ? stored : defaults;
    if (!unusable.isEmpty())
        faults << unusable;
    settingsFault_ = faults.isEmpty()
                         ? QString()
                         : tr("Патч DMX в файле настроек не годится:\r\n%1\r\n"
                                          "Взяты значения по умолчанию.")
                               .arg(faults.join(QStringLiteral("\r\n")));
    // Told once the windows are up; a later load of the settings replaces it.
    if (!settingsFault_.isEmpty())
        QTimer::singleShot(0, this, &DmxPanel::tellSettingsFault);
}

void DmxPanel::tellSettingsFault()
{
    if (settingsFault_.isEmpty())
        return;
    editor_.fileCommands().prompter().showMessage(&editor_, tr("Сообщение"),
                                                  std::exchange(settingsFault_, QString()));
}

void DmxPanel::showPatch()
{
    const QSignalBlocker u(universe_), l(levels_), c(colours_);
    universe_->setValue(patch_.universe);
    levels_->setValue(patch_.levels);
    colours_->setValue(patch_.colours);
    showState();
}

void DmxPanel::savePatch()
{
    saveValues({{kUniverseKey, QString::number(patch_.universe)},
                {kLevelsKey, QString::number(patch_.levels)},
                {kColoursKey, QString::number(patch_.colours)}});
}

void DmxPanel::saveValues(const std::initializer_list<std::pair<QString, QString>>& values)
{
    for (const auto& [key, value] : values) {
        const ProfileWrite written = writeProfileString(settingsPath_, kSection, key, value);
        if (!written.ok) {
            editor_.fileCommands().prompter().showMessage(
                &editor_, tr("Сообщение"),
                tr("Настройки DMX не сохранены:\r\n%1").arg(written.reason));
            return;
        }
    }
}

void DmxPanel::showState()
{
    const bool on = sender_ && dmxCheck_->isChecked();
    stateLabel_->setText(dmxStateText(on, on && sender_->reached().value_or(false), patch_.universe,
                                      on && sender_->stalled()));
}

} // namespace pluviane
