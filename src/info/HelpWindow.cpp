#include "info/HelpWindow.h"

#include "info/AboutWindow.h"
#include "widgets/Controls.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace pluviane {

QStringList helpLines()
{
    const QString mail = AboutWindow::mailAddress().path();
    return {
        HelpWindow::tr("            Pluviane — визуализация фонтанов"),
        QString(),
        HelpWindow::tr("Программа служит для проектирования фонтанов: струи собираются в группы,"),
        HelpWindow::tr("расставляются вокруг чаши, и весь фонтан сразу виден в объёмном изображении,"),
        HelpWindow::tr("которое обновляется в реальном времени, двадцать раз в секунду."),
        QString(),
        HelpWindow::tr("Управление видом (в главном окне):"),
        HelpWindow::tr("  - левая кнопка мыши нажата и мышь движется — весь фонтан перемещается;"),
        HelpWindow::tr("  - правая кнопка мыши нажата и мышь движется — фонтан поворачивается;"),
        HelpWindow::tr("  - клавиши со стрелками — фонтан сдвигается влево, вправо, вверх и вниз;"),
        HelpWindow::tr("  - Shift, затем стрелки — поворот вокруг горизонтальных осей X и Z;"),
        HelpWindow::tr("  - Ctrl, затем стрелки влево и вправо — поворот вокруг вертикальной оси."),
        HelpWindow::tr("Клавиши Shift и Ctrl выбирают, что делают стрелки, пока их не отпустят."),
        HelpWindow::tr("Масштаб и вращение поля задаются на закладке «Чаша»; кнопка ISOMETR"),
        HelpWindow::tr("ставит изометрический вид."),
        QString(),
        HelpWindow::tr("Картинка подложки (JPEG или BMP) читается самой программой, отдельная"),
        HelpWindow::tr("библиотека не нужна. Файл muzteatr.jpg из рабочей папки загружается при"),
        HelpWindow::tr("запуске; другую картинку выбирают кнопкой «Подложка» на закладке «Чаша»."),
        QString(),
        HelpWindow::tr("Классический фонтан с круглой чашей за одну минуту:"),
        HelpWindow::tr("  1. Нажмите «Новый файл» на панели инструментов."),
        HelpWindow::tr("  2. На закладке «Oпции» задайте, как будет меняться каждая следующая"),
        HelpWindow::tr("     группа: например, размер на -20 и высоту на 20."),
        HelpWindow::tr("  3. На закладке «Группы» выберите форму коллектора «Круг», размер 150,"),
        HelpWindow::tr("     количество струй 12 и высоту струи 60."),
        HelpWindow::tr("  4. Нажмите «Записать+новая группа» несколько раз: каждая новая группа"),
        HelpWindow::tr("     ложится внутри предыдущей и бьёт выше."),
        HelpWindow::tr("  5. На закладке «Управление» фейдерами слева задайте высоту каждой"),
        HelpWindow::tr("     группы, фейдерами справа — её цвет, кнопкой «Все цветные» — радугу."),
        HelpWindow::tr("  6. На закладке «Чаша» выберите число углов 21 и размер чаши."),
        HelpWindow::tr("  7. Сохраните фонтан кнопкой «Записать файл как»."),
        QString(),
        HelpWindow::tr("Файл фонтана (*.wat) хранит струи, группы, цвета, записанные формы и"),
        HelpWindow::tr("сцены, а также чашу, подложку и вид. Флажок «Load» на закладке «Чаша»"),
        HelpWindow::tr("решает, берётся ли чаша из открываемого файла. Кнопка «Открыть файл c"),
        HelpWindow::tr("параметрами чаши» берёт из файла только чашу. Кнопка отмены"),
        HelpWindow::tr("возвращает фонтан к последнему открытому или сохранённому файлу."),
        QString(),
        HelpWindow::tr("Закладка «Ред.Струи» правит одну струю: выберите её номер и двигайте"),
        HelpWindow::tr("полосы высоты, наклона, поворота, пенности и положения."),
        QString(),
        HelpWindow::tr("Задуманные расширения:"),
        HelpWindow::tr("  - коллекторы произвольной формы, нарисованные мышью;"),
        HelpWindow::tr("  - запись шоу под музыку с привязкой к времени;"),
        HelpWindow::tr("  - вывод изображения в файл и видеоролик;"),
        HelpWindow::tr("  - смета фонтана по числу форсунок и насосов;"),
        HelpWindow::tr("  - подсветка чаши и дна."),
        QString(),
        HelpWindow::tr("Окно помощи можно прокручивать; набранный здесь текст нигде не"),
        HelpWindow::tr("сохраняется."),
        QString(),
        HelpWindow::tr("Пожелания и замечания присылайте по адресу ") + mail,
    };
}

HelpWindow::HelpWindow(AppWindows& windows)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      windows_(windows)
{
    setObjectName("FormHelp");
    setWindowTitle(tr("Окно помощи"));
    resize(642, 480);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    memo_ = new QPlainTextEdit(this);
    nameUncaptioned(memo_, QStringLiteral("Memo1"));
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont font = memo_->font();
    font.setPixelSize(13);
    memo_->setFont(font);
    QPalette sky = memo_->palette();
    sky.setColor(QPalette::Base, QColor(166, 202, 240));
    sky.setColor(QPalette::Text, Qt::black);
    memo_->setPalette(sky);
    memo_->setPlainText(helpLines().join(QLatin1Char('\n')));
    layout->addWidget(memo_);
}

} // namespace pluviane
