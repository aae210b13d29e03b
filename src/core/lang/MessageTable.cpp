// The message table: English and Russian texts by index, looked up directly.
#include "core/lang/MessageTable.h"

#include <array>

namespace trakvella {
namespace {

// One row per index; both texts are null where the index has no row.
struct MessageRow {
  const char* english;
  const char* russian;
};

// "\r" is the carriage return a message box shows as a line break. Leading and
// trailing blanks are part of the texts: most are joined with a number or a name.
// Message 25's English text is written with the Cyrillic es, which looks like
// the Latin c; the track list has always shown it that way.
constexpr std::array<MessageRow, kMessageCount> kMessages{{
    {"Update downloaded!\rProgram auto restarted within 20 sec.",
     "Обновление загружено успешно!\rПрограмма автоматически перезапустится в течение 20 секунд."},  // 0
    {"Would you like to read the information file?", "Хотите прочесть подробно об обновлении?"},     // 1
    {"You need to update the program! Update Now?", "Требуется обновление! Загрузить сейчас?"},      // 2
    {"Unsuccessful attempt to network update!", "Неудачная попытка сетевого обновления!"},           // 3
    {"Update info", "Информация об обновлении"},                                                     // 4
    {"Folders found: ", "Найдено папок: "},                                                          // 5
    {"Tracks found: ", "Найдено треков: "},                                                          // 6
    {"Tracklists found: ", "Найдено списков треков: "},                                              // 7
    {"Version ", "Версия "},                                                                         // 8
    {"© 2007–2026 KMLB Music Library. All rights reserved.",
     "© 2007–2026 Музыкальная библиотека KMLB. Все права защищены."},                            // 9
    {"Scanning catalog...", "Сканирование каталога..."},                                         // 10
    {"Building database...", "Построение базы данных..."},                                       // 11
    {"CDs: ", "Сборников: "},                                                                    // 12
    {"Local tracks: ", "Треков на диске: "},                                                     // 13
    {"Web tracks: ", "Треков в сети: "},                                                         // 14
    {"Errors: ", "Ошибок: "},                                                                    // 15
    {"Quit ", "Закрыть "},                                                                       // 16
    {"Error adding favorites (max 99)", "Извините, возможно не более 99 пунктов в Избранном!"},  // 17
    {"Adding...", "Добавление..."},                                                              // 18
    {"Input", "Введите данные"},                                                                 // 19
    {"Login:", "Логин:"},                                                                        // 20
    {"Password:", "Пароль:"},                                                                    // 21
    {"Incorrect Login or Password!",
     "Логин или пароль введены неверно!\rПроверьте, пожалуста, правильность ввода."},  // 22
    {"Attention! Downloading via Subscription is only possible in Subscription-mode !\rChange the mode of the program?",
     "Внимание! Скачивание по Подписке возможно только в режиме Подписки !\rСменить режим работы программы?"},  // 23
    {"Attention! DEMO Downloading is only possible Subscription-mode !\rChange the mode of the program?",
     "Внимание! Скачивание демо трека возможно только в режиме Подписки !\rСменить режим работы программы?"},  // 24
    {" с:", " а:"},                                                                                            // 25
    {" a:", " и:"},                                                                                            // 26
    {" a/c: ", " а/и: "},                                                                                      // 27
    {"Input number", "Ввод числа"},                                                                            // 28
    {"Disc number", "Введите номер сборника:"},                                                                // 29
    {"Track number", "Введите номер трека:"},                                                                  // 30
    {"Clear current Music Set?", "Очистить весь список выбранных треков?"},                                    // 31
    {"Save tracklist in m3u format", "Сохранить список в формате m3u"},                                        // 32
    {"Playlist M3U (*.m3u)|*.m3u", "Плейлист M3U (*.m3u)|*.m3u"},                                              // 33
    {"Downloading / copying...", "Загрузка / Копирование..."},                                                 // 34
    {"An error occured while copying!", "Ошибка копирования!"},                                                // 35
    {"File not found on server!", "Ошибка! Файл не найден на сервере!"},                                       // 36
    {"Network failure!", "Ошибка! Отсутствует сетевое подключение!"},                                          // 37
    {"Connecting server...", "Соединение..."},                                                                 // 38
    {"Connection failed!", "Соединиться не удалось!"},                                                         // 39
    {"Downloading files", "Загрузка файлов"},                                                                  // 40
    {" of ", " из "},                                                                                          // 41
    {"Track", "Фонограмма"},                                                                                   // 42
    {"Could not download!", "Не удалось скачать!"},                                                            // 43
    {"Save RQ2 playlist", "Сохранить плейлист RQ2"},                                                           // 44
    {"Playlist RQ2 (*.rq2)|*.rq2", "Плейлист RQ2 (*.rq2)|*.rq2"},                                              // 45
    {"Open RQ2 playlist", "Открыть плейлист RQ2"},                                                             // 46
    {"Load information based on filename", "Загрузить информацию о треке на основе имени файла"},              // 47
    {"Any files (*.*)|*.*", "Все файлы (*.*)|*.*"},                                                            // 48
    {"Scanning...", "Сканирование..."},                                                                        // 49
    {"After the optimization removed duplicates: ", "После оптимизации удалено дублей: "},                     // 50
    {"Server address (URL or IP)", "Адрес сервера:"},                                                          // 51
    {"Type: only effects", "Форма: только эффекты"},                                                           // 52
    {"Type: only music", "Форма: только мелодии"},                                                             // 53
    {"Type: music, jingles", "Форма: мелодии, заставки, отбивки"},                                             // 54
    {"Search: Completed... ", "Поиск: Выполнено..."},                                                          // 55
    {"Tempo", "Темп"},                                                                                         // 56
    {"Any tempo", "Темп любой"},                                                                               // 57
    {"Mood", "Настроение"},                                                                                    // 58
    {"Any mood", "Настроение любое"},                                                                          // 59
    {"Period", "Эпоха"},                                                                                       // 60
    {"Any period", "Эпоха любая"},                                                                             // 61
    {"Style", "Стиль"},                                                                                        // 62
    {"Any style", "Стиль любой"},                                                                              // 63
    {"Indexed tracks: ", "Поиск треков: индексировано "},                                                      // 64
    {"Searching...", "Поиск..."},                                                                              // 65
    {"www.kmlb-library.example", "www.kmlb-library.example"},                                                  // 66
    {"OK. Copyed ", "OK. Скопировано "},                                                                       // 67
    {"Error occurred while extracting data!", "Ошибка извлечения данных!"},                                    // 68
    {" row(s) to clipboard!", " строк(и) в буфер!"},                                                           // 69
    {"Please, read instructions and paste clipborad to report",
     "Прочитайте инструкцию и вставьте ячейки в отчет"},                                                          // 70
    {"Found track(s): ", "Найдены треки: "},                                                                      // 71
    {"Folder is scanning. Wait, please! ", "Выполняется сканирование папок и поиск. Подождите, пожалуйста!"},     // 72
    {"As a result of scanning tracks added:", "По результатам сканирования добавлено треков: "},                  // 73
    {"Folder: ", "Папка: "},                                                                                      // 74
    {"No local tracks found!\rInitialize program?", "Треки сборников не найдены!\rПерезапустить программу?"},     // 75
    {"You have already downloaded this tracks, try again?", "Вы уже загружали этот файл, попробовать еще раз?"},  // 76
    {"Continue?", "Продолжить?"},                                                                                 // 77
    {"Checking update now", "Проверка обновлений"},                                                               // 78
    {"Exiting Subscription ", "Выход из Подписки "},                                                              // 79
    {"Unpacking", "Распаковка"},                                                                                  // 80
    {"Error opening archive", "Ошибка открытия архива"},                                                          // 81
    {"Error unpacking archive", "Ошибка распаковки архива"},                                                      // 82
    {"Abort", "Остановить"},                                                                                      // 83
    {"In Progress...", "В процессе..."},                                                                          // 84
    {"Closing in Progress...", "Отключаемся, в процессе..."},                                                     // 85
    {"Tracks(s) left: ", "Осталось по Подписке: "},                                                               // 86
    {"Sign in subscription", "Войти в аккаунт Подписки"},                                                         // 87
    {"Your subscription's quota is over!", "Ваша квота исчерпана!"},                                              // 88
    {"Drag'n'Drop track ", "Перетащить трек "},                                                                   // 89
    {"Subscription", "Подписка"},                                                                                 // 90
    {"Demo", "Демо"},                                                                                             // 91
    {"Cancel", "Отменить"},                                                                                       // 92
    {"Drag'n'Drop", "Вопрос при перетаскивании"},                                                                 // 93
    {"Please specify a directory", "Пожалуйста, укажите папку"},                                                  // 94
    {"Please sign in subscription!", "Пожалуйста, войдите в аккаунт Подписки!"},                                  // 95
    {"Subscription", "Подписка"},                                                                                 // 96
    {"Select source data for subscription:", "Выберите откуда взять список треков:"},                             // 97
    {"Sub-n list", "Подписка"},                                                                                   // 98
    {"Music Set", "Набор"},                                                                                       // 99
    {"Please, fill in all required fields!", "Пожалуйста, заполните все необходимые поля!"},                      // 100
    {"Tracks: ", "Треков: "},                                                                                     // 101
    {"New subscription plugged: ", "Подключена новая подписка: "},                                                // 102
    {nullptr, nullptr},                                                                           // 103: no row
    {"tracks left: ", "осталось: "},                                                              // 104
    {"not entered", "вход не выполнен"},                                                          // 105
    {"Cannot create folder within program folder!", "Ошибка создания папки в папке программы!"},  // 106
    {"Web Server", "Сервер"},                                                                     // 107
    {"HD", "Жесткий диск"},                                                                       // 108
    {"Updates downloaded: ", "Загрузка обновления: "},                                            // 109
    {"DB «Music Library KMLB» Registry № 2008620123", "БД «Музыкальная Библиотека KMLB» Рег. № 2008620123"},  // 110
    {"Delete all data?", "Удалить все данные?"},                                                              // 111
    {"Comments", "Комментарии"},                                                                              // 112
    {"Enable offline mode: updates off, show and play only local file in [audio] subfolder?",
     "Включить автономный режим:\r- Отключается проверка обновлений\r- Отключается загрузка и прослушивание демо из "
     "сети\r- Показываются и проигрываются локальные сборники/треки в папке /audio"},  // 113
    {"Enable online mode: updates on, show and play network and local file in [audio] subfolder?",
     "Включить онлайн режим:\r- Проверка и загрузка обновлений\r- Показывается, проигрывается, загружается сетевое "
     "демо\r- Показываются и проигрываются локальные сборники/треки в папке /audio"},  // 114
    {"Downloading disabled (Service -> Offline mode)!",
     "Скачивание демо отключено в автономном режиме (Сервис -> Автономный режим)!"},  // 115
    {"Start browser to download demo?",
     "Внимание!\rВ автономном режиме проигрывается только демо, расположенное на вашем компьютере!\rПерейти на "
     "страницу скачивания демо?"},                                                            // 116
    {"Save Passport of current track?", "Сформировать паспорт ролика по выбранному треку?"},  // 117
    {"Passport file saved successfully! Open with associated application?",
     "Файл паспорта ролика сохранен! Открыть его?"},                                       // 118
    {"Error occurred while saving passport file!", "Ошибка сохранения паспорта ролика!"},  // 119
    {"Enter search word:", "Введите слово или код (часть кода) для поиска:"},              // 120
    {"Entering to account...", "Вход в аккаунт Подписки..."},                              // 121
    {"Custom Web Demo Server", "Особый демо сервер"},                                      // 122
    {"Enter URL", "Введите адрес"},                                                        // 123
    {"This login is too long: no account file can be named after it!",
     "Логин слишком длинный: по нему нельзя назвать файл аккаунта!"},                                       // 124
    {"Could not save the subscription account file:\r", "Не удалось сохранить файл аккаунта Подписки:\r"},  // 125
    {"This file already exists. Replace it?\r", "Такой файл уже существует. Заменить его?\r"},              // 126
    {"Demo files saved: ", "Сохранено демо файлов: "},                                                      // 127
    {", not downloaded: ", ", не удалось скачать: "},                                                       // 128
    {"The server offers no encryption, although this account's server did before. The password was not sent.",
     "Сервер не предлагает шифрование, хотя сервер этой Подписки предлагал его раньше. Пароль не отправлен."},  // 129
    {"No web browser could be started to open ", "Не удалось запустить браузер, чтобы открыть "},               // 130
    {"No file manager could be started to show ", "Не удалось запустить файловый менеджер, чтобы показать "},   // 131
    {"The file could not be read:", "Не удалось прочитать файл:"},                                              // 132
    {"The file was not read: it is not a regular file (a folder, a pipe or a device):",
     "Файл не прочитан: это не обычный файл (папка, канал или устройство):"},  // 133
    {"The file was not read: it is too large. A file of its kind holds at most, MB: ",
     "Файл не прочитан: он слишком велик. Наибольший размер такого файла, МБ: "},            // 134
    {"A newer version of the program is available: ", "Доступна новая версия программы: "},  // 135
    {"This copy was installed from a package and does not replace its own files. Update the trakvella package "
     "with your system's software updates or package manager (sudo apt update && sudo apt upgrade), or download "
     "the new package from the program's web site and install it (sudo apt install ./trakvella_*.deb).",
     "Эта копия установлена из пакета и не заменяет свои файлы сама. Обновите пакет trakvella средствами "
     "обновления системы или менеджером пакетов (sudo apt update && sudo apt upgrade) либо скачайте новый пакет "
     "с сайта программы и установите его (sudo apt install ./trakvella_*.deb)."},  // 136
}};

}  // namespace

std::string LangMessage(Language language, Msg message) {
  const auto index = static_cast<unsigned>(message);
  if (index >= kMessages.size()) return {};
  const MessageRow& row = kMessages[index];
  const char* text = language == Language::Russian ? row.russian : row.english;
  return text != nullptr ? text : std::string();
}

}  // namespace trakvella
