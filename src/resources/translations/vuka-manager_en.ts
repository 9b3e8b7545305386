<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ru">
<context>
    <name>Accessibility</name>
    <message>
        <source>место в порядке: %1</source>
        <translation>place in the order: %1</translation>
    </message>
    <message>
        <source>чёрный</source>
        <translation>black</translation>
    </message>
    <message>
        <source>тёмно-красный</source>
        <translation>maroon</translation>
    </message>
    <message>
        <source>зелёный</source>
        <translation>green</translation>
    </message>
    <message>
        <source>оливковый</source>
        <translation>olive</translation>
    </message>
    <message>
        <source>тёмно-синий</source>
        <translation>navy</translation>
    </message>
    <message>
        <source>фиолетовый</source>
        <translation>purple</translation>
    </message>
    <message>
        <source>сине-зелёный</source>
        <translation>teal</translation>
    </message>
    <message>
        <source>серый</source>
        <translation>grey</translation>
    </message>
    <message>
        <source>серебристый</source>
        <translation>silver</translation>
    </message>
    <message>
        <source>красный</source>
        <translation>red</translation>
    </message>
    <message>
        <source>ярко-зелёный</source>
        <translation>lime</translation>
    </message>
    <message>
        <source>жёлтый</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>синий</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>малиновый</source>
        <translation>fuchsia</translation>
    </message>
    <message>
        <source>голубой</source>
        <translation>aqua</translation>
    </message>
    <message>
        <source>белый</source>
        <translation>white</translation>
    </message>
    <message>
        <source>%1, %2 пт, %3</source>
        <translation>%1, %2 pt, %3</translation>
    </message>
    <message>
        <source>, полужирный</source>
        <translation>, bold</translation>
    </message>
    <message>
        <source>, курсив</source>
        <translation>, italic</translation>
    </message>
    <message>
        <source>Сейчас: %1</source>
        <translation>Now: %1</translation>
    </message>
</context>
<context>
    <name>ColorForm</name>
    <message>
        <source>Выбор цветов для градиентного заполнения</source>
        <translation>Gradient fill colours</translation>
    </message>
    <message>
        <source>Верхний цвет</source>
        <translation>Top colour</translation>
    </message>
    <message>
        <source>Нижний цвет</source>
        <translation>Bottom colour</translation>
    </message>
    <message>
        <source>использовать фон</source>
        <translation>use the background</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Язык интерфейса: ru (русский, по умолчанию) или en.</source>
        <translation>Interface language: ru (Russian, the default) or en.</translation>
    </message>
    <message>
        <source>Справка: vuka-manager --help</source>
        <translation>Help: vuka-manager --help</translation>
    </message>
    <message>
        <source>ФАЙЛ</source>
        <translation>FILE</translation>
    </message>
    <message>
        <source>ПУТЬ</source>
        <translation>PATH</translation>
    </message>
    <message>
        <source>Файл настроек vuka.ini, который открыть.</source>
        <translation>The vuka.ini configuration file to open.</translation>
    </message>
    <message>
        <source>[ФАЙЛ]</source>
        <translation>[FILE]</translation>
    </message>
    <message>
        <source>Неизвестный язык интерфейса «%1»: ru или en.</source>
        <translation>Unknown interface language &quot;%1&quot;: ru or en.</translation>
    </message>
    <message>
        <source>Лишний аргумент «%1».</source>
        <translation>Unexpected argument &quot;%1&quot;.</translation>
    </message>
    <message>
        <source>Проверить каждый ФАЙЛ и выйти (коды выхода: см. выше).</source>
        <translation>Check each FILE and exit (exit statuses: see above).</translation>
    </message>
    <message>
        <source>Вывести значение переменной или ключа ИМЯ из ФАЙЛА.</source>
        <translation>Print the value of the variable or key NAME of FILE.</translation>
    </message>
    <message>
        <source>ИМЯ</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>Задать значение переменной или ключа в ФАЙЛЕ (можно повторять).</source>
        <translation>Set the value of a variable or key in FILE (may be repeated).</translation>
    </message>
    <message>
        <source>ИМЯ=ЗНАЧЕНИЕ</source>
        <translation>NAME=VALUE</translation>
    </message>
    <message>
        <source>Удалить переменную из ФАЙЛА (можно повторять).</source>
        <translation>Remove a variable from FILE (may be repeated).</translation>
    </message>
    <message>
        <source>Каталог version.ini, с которым начать работу (и работать с --check, --set).</source>
        <translation>The version.ini catalogue to start with (and to use with --check, --set).</translation>
    </message>
    <message>
        <source>С --check: предупреждения тоже дают код выхода 1.</source>
        <translation>With --check: warnings give exit status 1 too.</translation>
    </message>
    <message>
        <source>С --check: итог по каждому файлу.</source>
        <translation>With --check: a summary for each file.</translation>
    </message>
    <message>
        <source>Без сообщений об успехе и без предупреждений; ошибки выводятся.</source>
        <translation>No success messages and no warnings; errors are printed.</translation>
    </message>
    <message>
        <source>Visual vuka.ini manager [ROVEL] — редактор файла настроек vuka.ini программы установки.

  vuka-manager [--catalogue ПУТЬ] [ФАЙЛ]
  vuka-manager --check [--catalogue ПУТЬ] [--strict] [--verbose] [--quiet] ФАЙЛ...
  vuka-manager --get ИМЯ ФАЙЛ
  vuka-manager [--set ИМЯ=ЗНАЧЕНИЕ]... [--unset ИМЯ]... [--catalogue ПУТЬ] [--quiet] ФАЙЛ

Каталог языков и диалогов (version.ini) берётся из папки открываемого файла, если он
там есть; иначе остаётся прежним: при запуске это каталог из --catalogue или из папки
программы. --check и --set используют каталог из --catalogue, если он указан.

--check проверяет каждый ФАЙЛ так, как его читает команда «Открыть», ничего не
записывая и без графического окружения: каждая проблема выводится в стандартный поток
ошибок строкой «ФАЙЛ:СТРОКА: текст» (или «ФАЙЛ: текст»), строка, которую программа
установки читает не так, как она выглядит, — «ФАЙЛ:СТРОКА: предупреждение: текст».
Код выхода — худший из файлов: 0 — проблем нет (предупреждения без --strict не
считаются), 1 — есть проблемы, 2 — файл или каталог нельзя прочитать или ошибка в
параметрах.

ИМЯ — имя переменной раздела Variables или «Config/КЛЮЧ», «Display/КЛЮЧ». --get
выводит значение так, как его читает программа установки (код выхода 1, если его нет).
--set и --unset меняют ФАЙЛ так, как «Сохранить» после правки в окне (отсутствующий
ФАЙЛ создаётся, как «Создать»); если хоть одно изменение не принято, ничего не
записывается и код выхода 2, если в файле есть проблемы — 1.
Вывод всегда в UTF-8.</source>
        <translation>Visual vuka.ini manager [ROVEL] — editor of a setup program&apos;s configuration file vuka.ini.

  vuka-manager [--catalogue PATH] [FILE]
  vuka-manager --check [--catalogue PATH] [--strict] [--verbose] [--quiet] FILE...
  vuka-manager --get NAME FILE
  vuka-manager [--set NAME=VALUE]... [--unset NAME]... [--catalogue PATH] [--quiet] FILE

The catalogue of languages and dialogs (version.ini) is taken from the folder of the file
being opened when it holds one; otherwise the current one stays: at start-up that is the
catalogue of --catalogue or the one in the program&apos;s folder. --check and --set use the
catalogue of --catalogue when it is given.

--check checks each FILE as the Open command reads it, writing nothing and without a
graphical environment: each problem goes to the standard error stream as a line
&quot;FILE:LINE: text&quot; (or &quot;FILE: text&quot;), and a line that the setup reads otherwise than it
looks as &quot;FILE:LINE: warning: text&quot; (the texts themselves are in Russian).
The exit status is the worst of the files: 0 - no problems (warnings do not count without
--strict), 1 - problems found, 2 - a file or the catalogue cannot be read, or a mistake
in the options.

NAME is the name of a variable of the Variables section, or &quot;Config/KEY&quot;, &quot;Display/KEY&quot;.
--get prints the value as the setup reads it (exit status 1 when there is none).
--set and --unset change FILE as &quot;Save&quot; does after an edit in the window (a missing FILE
is created, as &quot;New&quot; does); when any change is refused nothing is written and the exit
status is 2, and 1 when the file has problems.
The output is always UTF-8.</translation>
    </message>
    <message>
        <source>--check, --get и --set/--unset нельзя сочетать.</source>
        <translation>--check, --get and --set/--unset cannot be combined.</translation>
    </message>
    <message>
        <source>--strict и --verbose действуют только с --check.</source>
        <translation>--strict and --verbose work only with --check.</translation>
    </message>
    <message>
        <source>--verbose и --quiet нельзя сочетать.</source>
        <translation>--verbose and --quiet cannot be combined.</translation>
    </message>
    <message>
        <source>--quiet действует только с --check, --get и --set/--unset.</source>
        <translation>--quiet works only with --check, --get and --set/--unset.</translation>
    </message>
    <message>
        <source>--get указан больше одного раза.</source>
        <translation>--get is given more than once.</translation>
    </message>
    <message>
        <source>Не указан ФАЙЛ.</source>
        <translation>No FILE given.</translation>
    </message>
</context>
<context>
    <name>Cp1251Input</name>
    <message>
        <source>Символ «%1» (%2) нельзя ввести: в кодировке Windows-1251, в которой сохраняется файл, его нет.</source>
        <translation>The character &quot;%1&quot; (%2) cannot be typed: the Windows-1251 encoding, in which the file is saved, does not have it.</translation>
    </message>
    <message>
        <source>Символ %1 нельзя ввести: в кодировке Windows-1251, в которой сохраняется файл, его нет.</source>
        <translation>The character %1 cannot be typed: the Windows-1251 encoding, in which the file is saved, does not have it.</translation>
    </message>
</context>
<context>
    <name>MainForm</name>
    <message>
        <source>Внешний вид</source>
        <translation>Appearance</translation>
    </message>
    <message>
        <source>Изменить установки для заднего фона</source>
        <translation>Change the background settings</translation>
    </message>
    <message>
        <source>Изменить название программы и вид надписи</source>
        <translation>Change the program name and the title style</translation>
    </message>
    <message>
        <source>Изменить вид надписи</source>
        <translation>Change the title style</translation>
    </message>
    <message>
        <source>Настроить позицию диалога</source>
        <translation>Set the dialog position</translation>
    </message>
    <message>
        <source>Языки</source>
        <translation>Languages</translation>
    </message>
    <message>
        <source> Список доступных языков </source>
        <translation> Available languages </translation>
    </message>
    <message>
        <source>Диалоги</source>
        <translation>Dialogs</translation>
    </message>
    <message>
        <source> Диалоги до инсталляции </source>
        <translation> Dialogs before installation </translation>
    </message>
    <message>
        <source> Диалоги после инсталляции </source>
        <translation> Dialogs after installation </translation>
    </message>
    <message>
        <source>Переменные</source>
        <translation>Variables</translation>
    </message>
    <message>
        <source>Файл</source>
        <translation>File</translation>
    </message>
    <message>
        <source>Недавние файлы</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <source>Правка</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>Помощь</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Язык интерфейса</source>
        <translation>Interface Language</translation>
    </message>
    <message>
        <source>Новый</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Открыть…</source>
        <translation>Open…</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Сохранить как…</source>
        <translation>Save As…</translation>
    </message>
    <message>
        <source>Очистить список</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>О программе</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Страницы</source>
        <translation>Pages</translation>
    </message>
    <message>
        <source>Фон</source>
        <translation>Background</translation>
    </message>
    <message>
        <source>Название программы</source>
        <translation>Program name</translation>
    </message>
    <message>
        <source>Заголовок диалога</source>
        <translation>Dialog title</translation>
    </message>
    <message>
        <source>Текст приветствия</source>
        <translation>Welcome text</translation>
    </message>
    <message>
        <source>Текст приветствия — настроить положение диалога</source>
        <translation>Welcome text - set the dialog position</translation>
    </message>
    <message>
        <source>Список доступных языков</source>
        <translation>Available languages</translation>
    </message>
    <message>
        <source>Диалоги до инсталляции</source>
        <translation>Dialogs before installation</translation>
    </message>
    <message>
        <source>Диалоги после инсталляции</source>
        <translation>Dialogs after installation</translation>
    </message>
</context>
<context>
    <name>PosForm</name>
    <message>
        <source>Позиция диалога</source>
        <translation>Dialog position</translation>
    </message>
    <message>
        <source> Вертикаль </source>
        <translation> Vertical </translation>
    </message>
    <message>
        <source> Горизонталь </source>
        <translation> Horizontal </translation>
    </message>
</context>
<context>
    <name>StyleDlg</name>
    <message>
        <source>Вид надписи</source>
        <translation>Title style</translation>
    </message>
    <message>
        <source>Название программы:</source>
        <translation>Program name:</translation>
    </message>
    <message>
        <source>Выбрать шрифт  и цвет надписи</source>
        <translation>Choose the title font and colour</translation>
    </message>
    <message>
        <source>Выбрать цвет тени надписи</source>
        <translation>Choose the title shadow colour</translation>
    </message>
    <message>
        <source>надпись с тенью</source>
        <translation>title with a shadow</translation>
    </message>
    <message>
        <source>показывать эту надпись</source>
        <translation>show this title</translation>
    </message>
    <message>
        <source>Примерный вид надписи</source>
        <translation>Preview of the title</translation>
    </message>
    <message>
        <source>Примерный вид</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TCatalogueCommand</name>
    <message>
        <source>Каталог…</source>
        <translation>Catalogue…</translation>
    </message>
    <message>
        <source>Каталог: %1</source>
        <translation>Catalogue: %1</translation>
    </message>
    <message>
        <source>Выберите каталог version.ini</source>
        <translation>Choose the version.ini catalogue</translation>
    </message>
    <message>
        <source>Каталог (version.ini)</source>
        <translation>Catalogue (version.ini)</translation>
    </message>
    <message>
        <source>ini файлы (*.ini)</source>
        <translation>INI files (*.ini)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>каталог</source>
        <translation>catalogue</translation>
    </message>
    <message>
        <source>Каталог «%1» загружен, но не все отметки остались как были:</source>
        <translation>The catalogue &quot;%1&quot; is loaded, but not every tick stayed as it was:</translation>
    </message>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
</context>
<context>
    <name>TCheckListBox</name>
    <message>
        <source> (нет в каталоге)</source>
        <translation> (not in the catalogue)</translation>
    </message>
    <message>
        <source>Выше</source>
        <translation>Move Up</translation>
    </message>
    <message>
        <source>Ниже</source>
        <translation>Move Down</translation>
    </message>
</context>
<context>
    <name>TEditHistory</name>
    <message>
        <source>Отменить</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Повторить</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>галочка «%1»</source>
        <translation>tick &quot;%1&quot;</translation>
    </message>
    <message>
        <source>порядок «%1»</source>
        <translation>order of &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>TFileCommands</name>
    <message>
        <source>Открыть</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Сохранить</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Открыть файл</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Выберите файл</source>
        <translation>Choose a file</translation>
    </message>
    <message>
        <source>ini файлы (*.ini)</source>
        <translation>INI files (*.ini)</translation>
    </message>
    <message>
        <source>Все файлы (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Файл «%1» открыт, но не всё в нём удалось использовать:</source>
        <translation>The file &quot;%1&quot; is open, but not everything in it could be used:</translation>
    </message>
    <message>
        <source>Файл «%1» уже существует.
Записать проект в него? Строки файла, которые редактор не меняет, останутся как есть.</source>
        <translation>The file &quot;%1&quot; already exists.
Write the project into it? The lines of the file that the editor does not change stay as they are.</translation>
    </message>
    <message>
        <source>Файл «%1» изменён другой программой после того, как редактор его прочёл.
Перезаписать его, перечитать (изменения в редакторе пропадут) или отменить сохранение?</source>
        <translation>The file &quot;%1&quot; was changed by another program after the editor read it.
Overwrite it, reread it (the changes made in the editor are lost) or cancel saving?</translation>
    </message>
    <message>
        <source>Сохранить изменения?</source>
        <translation>Save the changes?</translation>
    </message>
    <message>
        <source>Сохранить изменения в файле «%1»?</source>
        <translation>Save the changes to the file &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>Файл «%1» удалён или переименован другой программой.
«Сохранить» запишет его заново.</source>
        <translation>The file &quot;%1&quot; was deleted or renamed by another program.
&quot;Save&quot; writes it anew.</translation>
    </message>
    <message>
        <source>Файл «%1» изменён другой программой.
Прочитать его заново?</source>
        <translation>The file &quot;%1&quot; was changed by another program.
Read it again?</translation>
    </message>
</context>
<context>
    <name>TFontColorDialog</name>
    <message>
        <source>Шрифт</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>Цвет:</source>
        <translation>Colour:</translation>
    </message>
    <message>
        <source>Выбрать цвет...</source>
        <translation>Choose colour...</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <source>Редактор написан участниками проекта vuka-manager</source>
        <translation>The editor was written by the contributors of the vuka-manager project</translation>
    </message>
    <message>
        <source>Вопросы и предложения: в трекере задач проекта vuka-manager</source>
        <translation>Questions and suggestions: in the vuka-manager project&apos;s issue tracker</translation>
    </message>
    <message>
        <source>ячейка «%1» строки %2</source>
        <translation>cell &quot;%1&quot; of row %2</translation>
    </message>
    <message>
        <source>Переменная</source>
        <translation>Variable</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>вставка строки %1</source>
        <translation>insertion of row %1</translation>
    </message>
    <message>
        <source>удаление строки %1</source>
        <translation>deletion of row %1</translation>
    </message>
    <message>
        <source>заголовок программы</source>
        <translation>program title</translation>
    </message>
    <message>
        <source>заголовок диалога</source>
        <translation>dialog title</translation>
    </message>
    <message>
        <source>фон</source>
        <translation>background</translation>
    </message>
    <message>
        <source>положение диалога</source>
        <translation>dialog position</translation>
    </message>
    <message>
        <source>новый проект</source>
        <translation>new project</translation>
    </message>
    <message>
        <source>Каталог: </source>
        <translation>Catalogue: </translation>
    </message>
</context>
<context>
    <name>TPosForm</name>
    <message>
        <source>Верх</source>
        <translation>Top</translation>
    </message>
    <message>
        <source>Центр</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Низ</source>
        <translation>Bottom</translation>
    </message>
    <message>
        <source>Слева</source>
        <translation>Left</translation>
    </message>
    <message>
        <source>Ценр</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>Справа</source>
        <translation>Right</translation>
    </message>
</context>
<context>
    <name>TProjectView</name>
    <message>
        <source>%1: «%2», %3 — изменить</source>
        <translation>%1: &quot;%2&quot;, %3 - change</translation>
    </message>
    <message>
        <source>Название программы</source>
        <translation>Program name</translation>
    </message>
    <message>
        <source>Заголовок диалога</source>
        <translation>Dialog title</translation>
    </message>
    <message>
        <source>Фон: градиент, сверху %1, снизу %2 — изменить</source>
        <translation>Background: gradient from %1 at the top to %2 at the bottom - change</translation>
    </message>
    <message>
        <source>Фон: рисунок рабочего стола — изменить</source>
        <translation>Background: desktop picture - change</translation>
    </message>
</context>
<context>
    <name>TScrollView</name>
    <message>
        <source>Прокрутка по горизонтали</source>
        <translation>Horizontal scrolling</translation>
    </message>
    <message>
        <source>Прокрутка по вертикали</source>
        <translation>Vertical scrolling</translation>
    </message>
</context>
<context>
    <name>TStyleDlg</name>
    <message>
        <source>Пример надписи</source>
        <translation>Sample title</translation>
    </message>
    <message>
        <source>Вид надписи на заднем фоне</source>
        <translation>Style of the background title</translation>
    </message>
    <message>
        <source>Вид надписи на диалогах</source>
        <translation>Style of the dialog title</translation>
    </message>
</context>
<context>
    <name>TSystemDialogs</name>
    <message>
        <source>Перезаписать</source>
        <translation>Overwrite</translation>
    </message>
    <message>
        <source>Перечитать</source>
        <translation>Reread</translation>
    </message>
    <message>
        <source>Отмена</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>… и ещё %1.</source>
        <translation>… and %1 more.</translation>
    </message>
</context>
<context>
    <name>TVariablesGrid</name>
    <message>
        <source>INS - добавить переменную,<byte value="xd"/>
DEL - удалить переменную.</source>
        <translation>INS - add a variable,<byte value="xd"/>
DEL - delete the variable.</translation>
    </message>
    <message>
        <source>Переменная</source>
        <translation>Variable</translation>
    </message>
    <message>
        <source>Значение</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Текст ячейки</source>
        <translation>Cell text</translation>
    </message>
</context>
</TS>
