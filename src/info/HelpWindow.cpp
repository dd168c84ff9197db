#include "info/HelpWindow.h"

#include "info/AboutWindow.h"
#include "widgets/Controls.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace pluviane {

QStringList helpLines()
{
    const QString mail = AboutWindow::mailAddress().path();
    return {
        QCoreApplication::translate("pluviane::HelpWindow", "            Pluviane — визуализация фонтанов"),
        QString(),
        QCoreApplication::translate("pluviane::HelpWindow", "Программа служит для проектирования фонтанов: струи собираются в группы,"),
        QCoreApplication::translate("pluviane::HelpWindow", "расставляются вокруг чаши, и весь фонтан сразу виден в объёмном изображении,"),
        QCoreApplication::translate("pluviane::HelpWindow", "которое обновляется в реальном времени, двадцать раз в секунду."),
        QString(),
        QCoreApplication::translate("pluviane::HelpWindow", "Управление видом (в главном окне):"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - левая кнопка мыши нажата и мышь движется — весь фонтан перемещается;"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - правая кнопка мыши нажата и мышь движется — фонтан поворачивается;"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - клавиши со стрелками — фонтан сдвигается влево, вправо, вверх и вниз;"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - Shift, затем стрелки — поворот вокруг горизонтальных осей X и Z;"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - Ctrl, затем стрелки влево и вправо — поворот вокруг вертикальной оси."),
        QCoreApplication::translate("pluviane::HelpWindow", "Клавиши Shift и Ctrl выбирают, что делают стрелки, пока их не отпустят."),
        QCoreApplication::translate("pluviane::HelpWindow", "Масштаб и вращение поля задаются на закладке «Чаша»; кнопка ISOMETR"),
        QCoreApplication::translate("pluviane::HelpWindow", "ставит изометрический вид."),
        QString(),
        QCoreApplication::translate("pluviane::HelpWindow", "Картинка подложки (JPEG или BMP) читается самой программой, отдельная"),
        QCoreApplication::translate("pluviane::HelpWindow", "библиотека не нужна. Файл muzteatr.jpg из рабочей папки загружается при"),
        QCoreApplication::translate("pluviane::HelpWindow", "запуске; другую картинку выбирают кнопкой «Подложка» на закладке «Чаша»."),
        QString(),
        QCoreApplication::translate("pluviane::HelpWindow", "Классический фонтан с круглой чашей за одну минуту:"),
        QCoreApplication::translate("pluviane::HelpWindow", "  1. Нажмите «Новый файл» на панели инструментов."),
        QCoreApplication::translate("pluviane::HelpWindow", "  2. На закладке «Oпции» задайте, как будет меняться каждая следующая"),
        QCoreApplication::translate("pluviane::HelpWindow", "     группа: например, размер на -20 и высоту на 20."),
        QCoreApplication::translate("pluviane::HelpWindow", "  3. На закладке «Группы» выберите форму коллектора «Круг», размер 150,"),
        QCoreApplication::translate("pluviane::HelpWindow", "     количество струй 12 и высоту струи 60."),
        QCoreApplication::translate("pluviane::HelpWindow", "  4. Нажмите «Записать+новая группа» несколько раз: каждая новая группа"),
        QCoreApplication::translate("pluviane::HelpWindow", "     ложится внутри предыдущей и бьёт выше."),
        QCoreApplication::translate("pluviane::HelpWindow", "  5. На закладке «Управление» фейдерами слева задайте высоту каждой"),
        QCoreApplication::translate("pluviane::HelpWindow", "     группы, фейдерами справа — её цвет, кнопкой «Все цветные» — радугу."),
        QCoreApplication::translate("pluviane::HelpWindow", "  6. На закладке «Чаша» выберите число углов 21 и размер чаши."),
        QCoreApplication::translate("pluviane::HelpWindow", "  7. Сохраните фонтан кнопкой «Записать файл как»."),
        QString(),
        QCoreApplication::translate("pluviane::HelpWindow", "Файл фонтана (*.wat) хранит струи, группы, цвета, записанные формы и"),
        QCoreApplication::translate("pluviane::HelpWindow", "сцены, а также чашу, подложку и вид. Флажок «Load» на закладке «Чаша»"),
        QCoreApplication::translate("pluviane::HelpWindow", "решает, берётся ли чаша из открываемого файла. Кнопка «Открыть файл c"),
        QCoreApplication::translate("pluviane::HelpWindow", "параметрами чаши» берёт из файла только чашу. Кнопка отмены"),
        QCoreApplication::translate("pluviane::HelpWindow", "возвращает фонтан к последнему открытому или сохранённому файлу."),
        QString(),
        QCoreApplication::translate("pluviane::HelpWindow", "Закладка «Ред.Струи» правит одну струю: выберите её номер и двигайте"),
        QCoreApplication::translate("pluviane::HelpWindow", "полосы высоты, наклона, поворота, пенности и положения."),
        QString(),
        QCoreApplication::translate("pluviane::HelpWindow", "Задуманные расширения:"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - коллекторы произвольной формы, нарисованные мышью;"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - запись шоу под музыку с привязкой к времени;"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - вывод изображения в файл и видеоролик;"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - смета фонтана по числу форсунок и насосов;"),
        QCoreApplication::translate("pluviane::HelpWindow", "  - подсветка чаши и дна."),
        QString(),
        QCoreApplication::translate("pluviane::HelpWindow", "Окно помощи можно прокручивать; набранный здесь текст нигде не"),
        QCoreApplication::translate("pluviane::HelpWindow", "сохраняется."),
        QString(),
        QCoreApplication::translate("pluviane::HelpWindow", "Пожелания и замечания присылайте по адресу ") + mail,
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
