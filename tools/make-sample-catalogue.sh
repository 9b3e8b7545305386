#!/usr/bin/env bash
# Writes the sample component catalogue data/version.ini: Windows-1251 text with
# CR LF line ends and no byte-order mark. Each line maps a display name to the code
# that the setup program reads; the last post-installation entry is the final dialog.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
iconv -f UTF-8 -t CP1251 <<'CATALOGUE' | sed 's/$/\r/' > "$root/data/version.ini"
; Каталог языков и диалогов программы установки
[Languages]
Русский=RUS
Английский=ENU
Немецкий=DEU
Французский=FRA
Испанский=ESN
Итальянский=ITA
Украинский=UKR
Белорусский=BEL
Польский=PLK
Казахский=KKZ

[PreInstallDlg]
Лицензионное соглашение=License
Информация о программе=ReadMe
Сведения о пользователе=UserInfo
Выбор папки установки=SelectDir
Выбор компонентов=Components
Папка в меню «Пуск»=StartMenu
Готово к установке=Ready

[PostInstallDlg]
Информация после установки=InfoAfter
Перезагрузка компьютера=Restart
Завершение установки=Finished
CATALOGUE
