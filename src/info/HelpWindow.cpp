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
        QStringLiteral("            Pluviane — визуализация фонтанов"),
        QString(),
        QStringLiteral("Программа служит для проектирования фонтанов: струи собираются в группы,"),
        QStringLiteral("расставляются вокруг чаши, и весь фонтан сразу виден в объёмном изображении,"),
        QStringLiteral("которое обновляется в реальном времени, двадцать раз в секунду."),
        QString(),
        QStringLiteral("Управление видом (в главном окне):"),
        QStringLiteral("  - левая кнопка мыши нажата и мышь движется — весь фонтан перемещается;"),
        QStringLiteral("  - правая кнопка мыши нажата и мышь движется — фонтан поворачивается;"),
        QStringLiteral("  - клавиши со стрелками — фонтан сдвигается влево, вправо, вверх и вниз;"),
        QStringLiteral("  - Shift, затем стрелки — поворот вокруг горизонтальных осей X и Z;"),
        QStringLiteral("  - Ctrl, затем стрелки влево и вправо — поворот вокруг вертикальной оси."),
        QStringLiteral("Клавиши Shift и Ctrl выбирают, что делают стрелки, пока их не отпустят."),
        QStringLiteral("Масштаб и вращение поля задаются на закладке «Чаша»; кнопка ISOMETR"),
        QStringLiteral("ставит изометрический вид."),
        QString(),
        QStringLiteral("Картинка подложки (JPEG или BMP) читается самой программой, отдельная"),
        QStringLiteral("библиотека не нужна. Файл muzteatr.jpg из рабочей папки загружается при"),
        QStringLiteral("запуске; другую картинку выбирают кнопкой «Подложка» на закладке «Чаша»."),
        QString(),
        QStringLiteral("Классический фонтан с круглой чашей за одну минуту:"),
        QStringLiteral("  1. Нажмите «Новый файл» на панели инструментов."),
        QStringLiteral("  2. На закладке «Oпции» задайте, как будет меняться каждая следующая"),
        QStringLiteral("     группа: например, размер на -20 и высоту на 20."),
        QStringLiteral("  3. На закладке «Группы» выберите форму коллектора «Круг», размер 150,"),
        QStringLiteral("     количество струй 12 и высоту струи 60."),
        QStringLiteral("  4. Нажмите «Записать+новая группа» несколько раз: каждая новая группа"),
        QStringLiteral("     ложится внутри предыдущей и бьёт выше."),
        QStringLiteral("  5. На закладке «Управление» фейдерами слева задайте высоту каждой"),
        QStringLiteral("     группы, фейдерами справа — её цвет, кнопкой «Все цветные» — радугу."),
        QStringLiteral("  6. На закладке «Чаша» выберите число углов 21 и размер чаши."),
        QStringLiteral("  7. Сохраните фонтан кнопкой «Записать файл как»."),
        QString(),
        QStringLiteral("Файл фонтана (*.wat) хранит струи, группы, цвета, записанные формы и"),
        QStringLiteral("сцены, а также чашу, подложку и вид. Флажок «Load» на закладке «Чаша»"),
        QStringLiteral("решает, берётся ли чаша из открываемого файла. Кнопка «Открыть файл c"),
        QStringLiteral("параметрами чаши» берёт из файла только чашу. Кнопка отмены"),
        QStringLiteral("возвращает фонтан к последнему открытому или сохранённому файлу."),
        QString(),
        QStringLiteral("Закладка «Ред.Струи» правит одну струю: выберите её номер и двигайте"),
        QStringLiteral("полосы высоты, наклона, поворота, пенности и положения."),
        QString(),
        QStringLiteral("Задуманные расширения:"),
        QStringLiteral("  - коллекторы произвольной формы, нарисованные мышью;"),
        QStringLiteral("  - запись шоу под музыку с привязкой к времени;"),
        QStringLiteral("  - вывод изображения в файл и видеоролик;"),
        QStringLiteral("  - смета фонтана по числу форсунок и насосов;"),
        QStringLiteral("  - подсветка чаши и дна."),
        QString(),
        QStringLiteral("Окно помощи можно прокручивать; набранный здесь текст нигде не"),
        QStringLiteral("сохраняется."),
        QString(),
        QStringLiteral("Пожелания и замечания присылайте по адресу ") + mail,
    };
}

HelpWindow::HelpWindow(AppWindows& windows)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      windows_(windows)
{
    setObjectName("FormHelp");
    setWindowTitle(QStringLiteral("Окно помощи"));
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
