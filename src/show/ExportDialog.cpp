#include "show/ExportDialog.h"

#include "model/ProfileFile.h"
#include "widgets/Controls.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace pluviane {

namespace {

const QString kSection = QStringLiteral("Video");

QDoubleSpinBox* secondsSpin(QWidget* parent, const QString& name, double value, double length)
{
    auto* spin = new QDoubleSpinBox(parent);
    nameUncaptioned(spin, name);
    spin->setDecimals(1);
    spin->setRange(0, length);
    spin->setSingleStep(1);
    spin->setSuffix(ExportDialog::tr(" с"));
    spin->setValue(value);
    return spin;
}

} // namespace

QString minutesAndSeconds(double seconds)
{
    const int s = static_cast<int>(std::lround(std::max(0.0, seconds)));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

ExportChoice readExportChoice(const QString& path, const ExportChoice& fallback)
{
    const ProfileFile file = ProfileFile::read(path);
    const auto text = [&](const char* key) { return file.value(kSection, QString::fromLatin1(key), {}).trimmed(); };
    const auto number = [&](const char* key, double otherwise) {
        bool ok = false;
        const double value = text(key).toDouble(&ok);
        return ok && std::isfinite(value) && value >= 0 ? value : otherwise;
    };
    ExportChoice c = fallback;
    c.whole = text("Length") != QLatin1String("part");
    c.from = number("From", fallback.from);
    c.to = number("To", fallback.to);
    for (const VideoSize& s : kVideoSizes)
        if (text("Size") == QLatin1String(s.key))
            c.size = s.size;
    if (const QString look = text("Look"); look == QLatin1String("classic") || look == QLatin1String("realistic"))
        c.look = look == QLatin1String("realistic") ? Look::Realistic : Look::Classic;
    if (const QString view = text("View"); view == QLatin1String("file") || view == QLatin1String("fit"))
        c.fitView = view == QLatin1String("fit");
    return c;
}

void writeExportChoice(const QString& path, const ExportChoice& choice)
{
    QString error;
    ProfileFile file = ProfileFile::read(path, &error);
    if (!error.isEmpty())
        return; // a settings file that cannot be read is never replaced
    QString size = QString::fromLatin1(kVideoSizes[0].key);
    for (const VideoSize& s : kVideoSizes)
        if (s.size == choice.size)
            size = QString::fromLatin1(s.key);
    file.setValue(kSection, QStringLiteral("Length"), choice.whole ? QStringLiteral("whole") : QStringLiteral("part"));
    file.setValue(kSection, QStringLiteral("From"), QString::number(choice.from));
    file.setValue(kSection, QStringLiteral("To"), QString::number(choice.to));
    file.setValue(kSection, QStringLiteral("Size"), size);
    file.setValue(kSection, QStringLiteral("Look"),
                  choice.look == Look::Realistic ? QStringLiteral("realistic") : QStringLiteral("classic"));
    file.setValue(kSection, QStringLiteral("View"), choice.fitView ? QStringLiteral("fit") : QStringLiteral("file"));
    writeProfile(path, file);
}

ExportDialog::ExportDialog(QWidget* parent, const ExportChoice& start, double length)
    : QDialog(parent), length_(length)
{
    setObjectName(QStringLiteral("ExportDialog"));
    setWindowTitle(tr("Видео шоу"));
    auto* form = new QFormLayout;

    whole_ = new QRadioButton(tr("Всё шоу (%1)").arg(minutesAndSeconds(length)), this);
    nameCaptioned(whole_, QStringLiteral("RadioButtonVideoWhole"));
    part_ = new QRadioButton(tr("Отрывок"), this);
    nameCaptioned(part_, QStringLiteral("RadioButtonVideoPart"));
    from_ = secondsSpin(this, QStringLiteral("SpinBoxVideoFrom"), std::min(start.from, length), length);
    to_ = secondsSpin(this, QStringLiteral("SpinBoxVideoTo"), std::min(start.to, length), length);
    (start.whole ? whole_ : part_)->setChecked(true);
    auto* range = new QHBoxLayout;
    range->addWidget(part_);
    range->addWidget(makeLabel(this, {}, tr("с")));
    range->addWidget(from_);
    range->addWidget(makeLabel(this, {}, tr("по")));
    range->addWidget(to_);
    form->addRow(tr("Длина"), whole_);
    form->addRow(QString(), range);

    size_ = new QComboBox(this);
    nameUncaptioned(size_, QStringLiteral("ComboBoxVideoSize"));
    const QString sizeNames[] = {tr("720p (1280 x 720)"), tr("1080p (1920 x 1080)"), tr("Квадрат (1080 x 1080)")};
    for (std::size_t i = 0; i < std::size(kVideoSizes); ++i) {
        size_->addItem(sizeNames[i], kVideoSizes[i].size);
        if (kVideoSizes[i].size == start.size)
            size_->setCurrentIndex(static_cast<int>(i));
    }
    form->addRow(tr("Размер"), size_);

    look_ = new QComboBox(this);
    nameUncaptioned(look_, QStringLiteral("ComboBoxVideoLook"));
    look_->addItem(tr("Классический"));
    look_->addItem(tr("Реалистичная вода"));
    look_->setCurrentIndex(start.look == Look::Realistic ? 1 : 0);
    form->addRow(tr("Вид"), look_);

    camera_ = new QComboBox(this);
    nameUncaptioned(camera_, QStringLiteral("ComboBoxVideoCamera"));
    camera_->addItem(tr("Как в файле"));
    camera_->addItem(tr("Весь фонтан в кадре"));
    camera_->setCurrentIndex(start.fitView ? 1 : 0);
    form->addRow(tr("Камера"), camera_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(part_, &QRadioButton::toggled, this, &ExportDialog::showRangeState);
    showRangeState();
}

void ExportDialog::showRangeState()
{
    from_->setEnabled(part_->isChecked());
    to_->setEnabled(part_->isChecked());
}

ExportChoice ExportDialog::choice() const
{
    ExportChoice c;
    c.whole = whole_->isChecked();
    c.from = from_->value();
    c.to = to_->value();
    c.size = size_->currentData().toSize();
    c.look = look_->currentIndex() == 1 ? Look::Realistic : Look::Classic;
    c.fitView = camera_->currentIndex() == 1;
    return c;
}

} // namespace pluviane
