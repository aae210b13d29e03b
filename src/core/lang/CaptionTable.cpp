// The caption table: every fixed text of the windows in both languages, written
// out group by group in the order a language is applied.
#include "core/lang/CaptionTable.h"

namespace trakvella {
namespace {

using P = CaptionProperty;

// A menu item of the main window's pop-up menus and the name of its copy in the
// main menu (nullptr where it has none). The copy shows the same texts.
struct MenuItem {
  const char* name;
  const char* twin;
  const char* english;
  const char* russian;
};

// The pop-up menu items in the order they are applied. The favourites items
// live only in the favourites menu, the five sort items ending in "2" only in
// the small sort menu; "Сервис" and "Подписка" are the main menu's own bar items
// (MMServItem, MMPodItem), so their pop-up submenus have no copy either.
constexpr MenuItem kPopupItems[] = {
    {"Addtofavorites", nullptr, "Add current place", "Добавить текущее место"},
    {"OrgFavorites", nullptr, "Organize favorites...", "Редактировать Избранное..."},
    {"ShowAllSimCDItem", "MMShowAllSimCDItem", "Show all similar CDs", "Показать все похожие сборники"},
    {"ShowAllCDsItem", "MMShowAllCDsItem", "Show All CDs List", "Показать список сборников"},
    {"GoRootItem", "MMGoRootItem", "Go to catalog root", "Перейти в начало каталога"},
    {"InfoItem", "MMInfoItem", "Show CD Info", "Показать информацию о сборнике"},
    {"AlwaysInfo", "MMAlwaysInfo", "Always show information", "Всегда показывать информацию"},
    {"SortNewItem", "MMSortNewItem", "Show new CDs first", "Показывать сначала новые"},
    {"gotocdurl", "MMGotoCDurl", "Go to CD web page", "Перейти на страницу сборника"},
    {"MSetItem", "MMMSetItem", "Music Set", "Набор"},
    {"Copy1", "MMCopy1", "Copy track to Music Set", "Скопировать трек в текущий набор"},
    {"copyAll", "MMcopyAll", "Copy all CD's tracks to Music Set", "Поместить все треки в набор..."},
    {"MemoryOperations1", "MMMemoryOperations1", "Show Music Set", "Перейти к работе с набором..."},
    {"FilesItem", "MMFilesItem", "Files", "Файлы"},
    {"TrackShowItem", "MMTrackShowItem", "Show tracks...", "Показать треки..."},
    {"mTempKeyItem", "MMmTempKeyItem", "Same key and tempo", "В той же тональности и темпе"},
    {"mKeyItem", "MMmKeyItem", "Same key", "В той же тональности"},
    {"mTempItem", "MMmTempItem", "Similar tempo", "В близком темпе"},
    {"Top100Item", "MMTop100Item", "Top 100", "Топ 100"},
    {"luckyItem", "MMluckyItem", "I'm feeling lucky!", "Мне повезет!"},
    {"SearchTitleItem", "MMSearchTitleItem", "Search in Titles / Codes", "Поиск по названию / коду трека"},
    {"demodownitem", "MMdemodownitem", "Download demo track", "Скачать демо трека"},
    {"downitem", "MMdownitem", "Download track via Subscription", "Скачать трек по Подписке"},
    {"ShowPodItem", "MMShowPodItem", "Show tracks downloaded via Subscription", "Показать скачанное по Подписке"},
    {"ShowLocalItem", "MMShowLocalItem", "Show local tracks (WAV)", "Показать локальные треки (WAV)"},
    {"OfflineModeItem", "MMOfflineModeItem", "Offline mode", "Автономный режим"},
    {"SrvItem", "MMSrvItem", "Demo server", "Сервер демо"},
    {"SrvItem1", "MMSrvItem1", "Demo server 1", "Сервер демо 1"},
    {"SrvItem2", "MMSrvItem2", "Demo server 2", "Сервер демо 2"},
    {"PodQuotaItem", "MMPodQuotaItem", "Sign in", "Войти в аккаунт Подписки"},
    {"ShowPodListItem", "MMShowPodListItem", "Recent", "Список Подписок"},
    {"Gotofilefolder1", "MMGotofilefolder1", "Go to track location...", "Перейти к месту хранения трека..."},
    {"CopyNameItem", "MMCopyNameItem", "Copy track name to clipboard", "Скопировать название трека в буфер"},
    {"TrackInfoItem", "MMTrackInfoButton", "Track information...", "Информация ..."},
    {"CopyFName", "MMCopyFName", "Copy full file name", "Скопировать полное имя файла"},
    {"PlayOpItem", "MMPlayOpItem", "Playback", "Воспроизведение"},
    {"Autoplay1", "MMAutoPlay1", "Autoplay", "Автовоспроизведение"},
    {"NonStopPlaying", "MMNonStopPlaying", "Instant playback", "Играть треки подряд, не прекращая"},
    {"BackGrItem", "MMBackGrItem", "Play in background when the program is inactive",
     "Играть фоном, когда приложение неактивно"},
    {"extplayeritem", "MMextplayeritem", "Use internal player", "Использовать встроенный плеер"},
    {"userplayeritem", "MMuserplayeritem", "Assign your own player...", "Назначить свой плеер"},
    {"VisTracksItem", "MMVisTracksItem", "Track display", "Отображение треков"},
    {"FontSetupItem", "MMFontSetupItem", "Font setup...", "Настройка шрифта..."},
    {"scaleup", "MMscaleup", "Font size +", "Размер шрифта +"},
    {"scaledown", "MMscaledown", "Font size -", "Размер шрифта -"},
    {"showname", "MMshowname", "Title", "Показывать название"},
    {"showcode", "MMshowcode", "Code", "Показывать код"},
    {"showcomposer", "MMshowcomposer", "Composer (c)", "Показать автора (а)"},
    {"showartist", "MMshowartist", "Artist (a)", "Показать исполнителя (и)"},
    {"showstyle", "MMshowstyle", "Styles", "Показать стили"},
    {"showtime", "MMshowtime", "Time", "Показывать время"},
    {"SortPopularItem", "MMSortPopularItem", "Sort by rating", "Сортировка по популярности"},
    {"SortOrdItem", "MMSortOrdItem", "Sort by code", "Сортировка по порядку"},
    {"SortLenItem", "MMSortLenItem", "Sort by time", "Сортировка по длительности"},
    {"SortTempoItem", "MMSortTempoItem", "Sort by tempo", "Сортировка по темпу"},
    {"ReverseSortItem", "MMReverseSortItem", "Reverse sort order", "Обратный порядок"},
    // The small sort menu under the sort label offers the same choices with the
    // same words as the track menu.
    {"SortPopularItem2", nullptr, "Sort by rating", "Сортировка по популярности"},
    {"SortOrdItem2", nullptr, "Sort by code", "Сортировка по порядку"},
    {"SortLenItem2", nullptr, "Sort by time", "Сортировка по длительности"},
    {"SortTempoItem2", nullptr, "Sort by tempo", "Сортировка по темпу"},
    {"ReverseSortItem2", nullptr, "Reverse sort order", "Обратный порядок"},
    {"Service1", nullptr, "Service", "Сервис"},
    {"PodpItem", nullptr, "Subscription", "Подписка"},
    {"PodDocItem", "MMPodDocItem", "Licences", "Документы Подписки"},
    {"PassportItem", "MMPassportItem", "Passport", "Паспорт ролика"},
    {"Lang", "MMLang", "Language", "Язык программы"},
    {"Lang0", "MMLang0", "English", "Английский"},
    {"Lang1", "MMLang1", "Russian", "Русский"},
    {"quitpodpiska", "MMquitpodpiska", "Sign out", "Выход из аккаунта"},
    {"Initializelibrary1", "MMInitializelibrary", "Restart library", "Инициализировать библиотеку"},
    {"mHarmonicItem", "MMmHarmonicItem", "In harmonic keys", "В гармоничных тональностях"},
    {"SimilarTracksItem", "MMSimilarTracksItem", "Similar tracks", "Похожие треки"},
};

// The one copy whose English text differs from its pop-up item: the main menu
// drops the dots.
constexpr const char* kMainMenuFontSetup = "Font setup";

class Builder {
 public:
  explicit Builder(std::vector<CaptionRow>& rows) : rows_(rows) {}

  void Group(int group, const char* window) {
    group_ = group;
    window_ = window;
  }
  void Window(const char* english, const char* russian) { Add("", P::WindowCaption, 0, english, russian); }
  void Caption(const char* component, const char* english, const char* russian) {
    Add(component, P::Caption, 0, english, russian);
  }
  void Hint(const char* component, const char* english, const char* russian) {
    Add(component, P::Hint, 0, english, russian);
  }
  void Label(const char* component, const char* english, const char* russian) {
    Add(component, P::LabelCaption, 0, english, russian);
  }
  void Title(const char* component, const char* english, const char* russian) {
    Add(component, P::DialogTitle, 0, english, russian);
  }
  void Item(const char* component, int index, const char* english, const char* russian) {
    Add(component, P::Item, index, english, russian);
  }

 private:
  void Add(const char* component, P property, int index, const char* english, const char* russian) {
    rows_.push_back(CaptionRow{group_, window_, component, property, index, english, russian});
  }

  std::vector<CaptionRow>& rows_;
  int group_ = 0;
  const char* window_ = "";
};

void StartWindow(Builder& b) {
  b.Group(1, "TStartForm");
  // The same registration line as the track information window's database line.
  b.Caption("Label7", "DB «Music Library KMLB» Registry № 2008620123",
            "БД «Музыкальная Библиотека KMLB» Рег. № 2008620123");
  b.Caption("NextBut", "Continue", "Продолжить");
}

void FavouritesOrganiser(Builder& b) {
  b.Group(2, "TOrgForm");
  b.Window("Organizing Favorites", "Редактировать Избранное");
  b.Caption("DelButton", "Delete", "Удалить");
  b.Caption("ExitButton", "Quit", "Выход");
}

void TrackInformation(Builder& b) {
  b.Group(3, "TTrackInfoForm");
  b.Window("Full information about track", "Информация о треке");
  b.Caption("ExitButton", "Quit", "Выход");
  b.Caption("CopyButton", "Copy to clipboard", "Скопировать в буфер");
  b.Caption("TimeDataBut", "Date:Time", "Дата:Время");
}

void ProgressWindow(Builder& b) {
  b.Group(4, "TWaitForm");
  b.Caption("CancelBut", "Abort", "Остановить");
}

void MainWindowMenus(Builder& b) {
  b.Group(5, "TMainForm");
  b.Caption("MMPodItem", "Subscription", "Подписка");
  b.Caption("MMServItem", "Service", "Сервис");
  b.Caption("MMTrackItem", "Tracks", "Треки");
  b.Caption("MMCDItem", "Catalog", "Сборники");
  b.Caption("MMComItem", "Run", "Выполнить");
  b.Caption("MMSearchItem", "Search", "Поиск");
  b.Caption("MMmemItem", "Show Music Set", "Перейти к работе с набором...");
  b.Caption("MMExitItem", "Exit", "Выход");

  b.Hint("HomeBtn", "Home (clear history)", "В начало (очищает историю)");
  b.Hint("BackBtn", "Back", "Назад");
  b.Hint("ForwardBtn", "Forward", "Вперед");
  b.Hint("FAvBut", "Favorites", "Избранное");
  b.Hint("MemOperBut", "Show Music Set", "Перейти к работе с набором...");
  b.Hint("MemCopyBut", "Copy to Music Set", "Поместить трек в текущий набор");
  b.Hint("SearchBut", "Music search panel", "Панель поиска музыки");
  b.Hint("SearchNameBut", "Search tracks by name", "Поиск треков по имени");
  b.Hint("OptionBut", "Open options menu", "Открыть меню опций");
  b.Hint("TrInfoBut", "Track information", "Информация о треке");
  b.Hint("TrPassportBut", "Generate passport with current Track Information", "Паспорт ролика с текущим треком");
  b.Hint("SortButDn", "Reverse sort order", "Обратный порядок");
  b.Hint("SortButUp", "Reverse sort order", "Обратный порядок");
  b.Hint("KeyBox", "Choose a tag", "Выберите тэг");
  b.Hint("KeyBut", "Show CDs by tag", "Показать сборники по тэгу");
  b.Hint("Gb", "Time", "Время");
  b.Hint("PlayBar", "Position in track", "Позиция в треке");
  b.Hint("Playbut", "Play (Space)", "Играть (Пробел)");
  b.Hint("PauseBut", "Pause", "Пауза");
  b.Hint("StopBut", "Stop (Space)", "Стоп (Пробел)");
  b.Hint("SortInfoLbl", "Track sort mode", "Режим сортировки треков");

  for (const MenuItem& item : kPopupItems) b.Caption(item.name, item.english, item.russian);
  for (const MenuItem& item : kPopupItems) {
    if (item.twin == nullptr) continue;
    const bool fontSetup = std::string_view(item.twin) == "MMFontSetupItem";
    b.Caption(item.twin, fontSetup ? kMainMenuFontSetup : item.english, item.russian);
  }
  b.Caption("MMGotoTrackURLitem", "Go to track web page", "Перейти на страницу трека");

  // The developer menu (Ctrl+Alt+D) and its exports; "Allow Open CD" and
  // "WebAsyst 6 shop import" read the same in both languages and have no rows.
  b.Caption("DevMenu", "Developer menu", "Меню разработчика");
  b.Caption("ShowMe1", "Show developer menu", "Показать меню разработчика");
  b.Caption("N15", "Maximum export (clipboard to table)", "Максимальный Экспорт (буфер в таблицу)");
  b.Caption("N40", "Maximum export of the Music Set", "Максимальный Экспорт по Набору");
  b.Caption("ITFactory1", "ITFactory export", "Экспорт ITFactory");
  b.Caption("N30", "RAO - list for registration", "РАО - список для регистрации");
  b.Caption("reestritem", "Data for the registry on the RU site", "Данные для реестра на сайте RU");
  b.Caption("N17", "Get all descriptions", "Получить все описания");
  b.Caption("XML1", "Save XML for the web site", "Сохранить XML для сайта");
  b.Caption("XML2", "Save XML for the desktop program", "Сохранить XML для десктоп программы");
  b.Caption("GetFormatTree1", "Save category tree (code for the old KMLB site)",
            "Сохранить дерево категорий (код для старого сайта KMLB)");
  b.Caption("Ya_xls", "Create price list for Yandex", "Создать прайс лист для Яндекс");
  b.Caption("catplus", "+ Send category to buffer", "+ Послать категорию в буфер");
  b.Caption("catclear", "- Clear category buffer", "- Очистить буфер категорий");
  // The filter over the track list; its hint is also the text it shows while empty.
  b.Hint("TrackFilterEdit", "Filter the list: type words (Ctrl+L)", "Фильтр списка: введите слова (Ctrl+L)");
}

void AddByCodeWindow(Builder& b) {
  b.Group(6, "TCodeForm");
  b.Window("Add track by code", "Добавление по коду трека");
  b.Caption("Label1", "Click a number to type it in", "Кликните по номеру для ручного ввода");
  b.Caption("AddByCodeBtn", "Add track", "Добавить трек");
}

void MusicSetWindow(Builder& b) {
  b.Group(7, "TMusicSetForm");
  b.Window("Current Music Set workplace", "Работа с набором...");
  b.Label("logEdit", "Login", "Логин");
  b.Label("passEdit", "Password", "Пароль");
  b.Caption("TabSheet3", "Reports", "Отчеты");
  b.Caption("StaticText1", "You can drag and drop audio files and folders into this window!",
            "Вы можете перетаскивать звуковые файлы и папки в окно!");
  b.Caption("Label4", "PATH:", "ПУТЬ:");
  b.Caption("FileDownBut", "Download demo", "Скачать демо");
  b.Caption("CollectBut", "DAW data collection", "Сбор данных");
  b.Caption("CodeBtn", "Add by code", "Добавить по коду");
  b.Caption("InfButton", "Track information", "Информация о треке");
  b.Caption("RepButton", "Report to PROs", "Отчет РАО по набору");
  b.Caption("PlayInMemBut", "Play / Stop", "Играть / Стоп");
  b.Caption("memDelBtn", "Delete track", "Удалить трек");
  b.Caption("DelBtn", "Clear list", "Очистить список");
  b.Caption("Label3", "Download tracks with KMLB's subscription", "Скачивание набора треков по Подписке");
  b.Caption("BuyBtn", "Buy tracks", "Купить Подписку");
  b.Caption("ftpbut", "Download via FTP", "Скачать по FTP");
  b.Caption("SetupPodBtn", "Set up subscription account", "Установить аккаунт Подписки");
  b.Hint("PassViewBtn", "Show / hide password", "Отобразить / скрыть пароль");
  b.Caption("memClose", "Quit", "Выход");
  b.Hint("FileDownBut", "Download the demo versions of all tracks of the set into a folder",
         "Скачать демо всех треков набора в папку");
  b.Hint("CollectBut", "Make a list of the works used in your projects",
         "Составить список произведений на основе содержимого проектов");
  b.Hint("CodeBtn", "Add a track by its number", "Добавить трек по номеру");
  b.Hint("InfButton", "Full information about the selected track", "Полная информация о выбранном треке");
  b.Hint("RepButton", "Make a report to the PROs on the tracks of the set", "Составить отчет РАО по трекам набора");
  b.Caption("memCopyBtnPl", "Save as playlist", "Сохранить в плейлист");
  b.Caption("LoadBtn", "Load RQ2", "Загрузить список");
  b.Caption("SaveBtn", "Save RQ2", "Сохранить список");
  b.Caption("TabSheet1", "RQ2 Tracklist", "Набор треков");
  b.Hint("LoadBtn", "Load a track list from an RQ2 file", "Загрузить список треков из файла RQ2");
  b.Hint("SaveBtn", "Save the track list to an RQ2 file", "Сохранить список треков в файл RQ2");
  b.Hint("memCopyBtnPl", "Save tracklist in m3u format", "Сохранить список в формате m3u");
  b.Caption("optitem", "Remove dublicates", "Удалить дубликаты");
  b.Caption("getfromclpbrditem", "Extract names from clipboard", "Извлечь имена из буфера");
  b.Caption("getcodeitem", "Add by code", "Добавить по коду");

  // The developer items of the list's pop-up menu (shown with the developer
  // menu); "Build info" reads the same in both languages and has no row.
  b.Caption("RaznItem", "Get the difference between the clipboard and the catalogue",
            "Получить разницу между буфером и базой");
  b.Caption("RaznItemSet", "Get the difference between the clipboard and the set",
            "Получить разницу между буфером и набором");
  b.Caption("musictagitem", "Get the import for musictag", "Получить импорт для musictag");
  b.Caption("MSTOCK1", "Get the import for MSTOCK", "Получить импорт для MSTOCK");
  b.Caption("SourceAudio1", "Get the SourceAudio import", "Получить импорт SourceAudio");
  b.Caption("OpenCartImport1", "Get the OpenCart import", "Получить импорт OpenCart Import");
  b.Caption("FileNamesFromSet", "Get the file names", "Получить имена файлов");
}

void SearchPanel(Builder& b) {
  b.Group(8, "TMainForm");
  // The criteria controls carry a leading "_" in their names: the mode switch
  // and the reset find them by it.
  b.Caption("_mood5", "Fun / Comedy", "Заводное / Комедийное");
  b.Caption("_mood4", "Positive", "Позитивное");
  b.Caption("_mood3", "Neutral", "Нейтральное");
  b.Caption("_mood2", "Sad / Romantic", "Грустное");
  b.Caption("_mood1", "Anxious / Suicidal", "Тревожное / Суицидальное");
  b.Caption("_tempo3", "Fast", "Быстро");
  b.Caption("_tempo2", "Medium", "Средне");
  b.Caption("_tempo1", "Slow", "Медленно");
  b.Caption("_image", "TV/Radio imaging", "Для оформления эфира");
  b.Caption("_agression", "Only aggressive", "Только агрессивная");
  b.Caption("_bkgr", "Only background/underscore", "Только фоновая / подложка");
  b.Caption("melody", "Music", "Музыка");
  b.Caption("sfx", "Effects", "Эффект");
  b.Caption("RangeSearchLbl", "Search area:", "Область поиска:");
  b.Caption("PresetLbl", "Presets:", "Пресеты:");
  b.Caption("ToneLbl", "Musical Key:", "Тональность:");
  b.Caption("TempoLbl", "BPM Range:", "Темп BPM от-до:");
  b.Caption("TrashBut", "Reset", "Сброс");
  b.Caption("SBut", "Search", "Найти");
  b.Caption("StyleCheck", "Exact match a set of styles", "Точное совпадение набора стилей");
  b.Caption("BkgTypeLbl", "Character", "Подача");
  b.Caption("MusOptLbl", "Music options", "Музыкальные настройки");
  b.Item("SPresets", 0, "All musical tracks", "Все музыкальные треки");
  b.Item("SPresets", 1, "All effects / sfx", "Все эффекты");
  b.Item("SPresets", 2, "Jingles for TV/Radio imaging", "Все заставки для оформления эфира");
  b.Item("SPresets", 3, "Positive pop-rock", "Позитивный поп-рок");
  b.Item("SArea", 0, "ALL PACKAGES", "ВСЕ НАПРАВЛЕНИЯ");
}

void ReportWindow(Builder& b) {
  b.Group(9, "TRepForm");
  b.Window("Track list report", "Отчет по списку треков");
  b.Caption("TabSheet4", "Choose type of report", "Выбор вида отчета");
  b.Caption("TabSheet5", "Instructions", "Инструкции по отчету");

  b.Caption("TabSheet3", "User report", "Особый");
  b.Caption("Label2", "Report columns:", "Столбцы отчета:");
  b.Caption("CheckColRowNames", "Add row and colums numbers to report", "Добавить имена столбцов и номера строк");
  b.Caption("BitBtn1", "Select all", "Выбрать все");
  b.Caption("CancelBut", "Cancel", "Отмена");
  b.Caption("MakeRepBut", "Make report", "Сделать отчет");
  b.Item("ListBox3", 0, "Project's folder", "Папка проекта");
  b.Item("ListBox3", 1, "Project's name", "Имя проекта");
  b.Item("ListBox3", 2, "CD Title", "Название сборника");
  b.Item("ListBox3", 3, "Title", "Название музыкального произведения");
  b.Item("ListBox3", 4, "Code", "Код KMLB");
  b.Item("ListBox3", 5, "ISRC", "Код ISRC фонограммы");
  b.Item("ListBox3", 6, "Time", "Длительность");
  b.Item("ListBox3", 7, "Composer", "Автор музыки");
  b.Item("ListBox3", 8, "Artist", "Исполнитель");

  b.Caption("TabSheet2", "Ad's Report to RAO (Russia)", "Отчет РАО - Реклама");
  b.Caption("BitBtn3", "Select all", "Выбрать все");
  b.Caption("Label8", "Quarter:", "Квартал:");
  b.Caption("Label9", "Year:", "Год:");
  b.Caption("Label3", "Report columns:", "Столбцы отчета:");
  b.Item("ListBox2R", 0, "Name of the Ad", "Название рекламного ролика");
  b.Item("ListBox2R", 1, "Ad version", "Название версии рекламного ролика");
  b.Item("ListBox2R", 2, "Titles", "Название музыкальных произведений, используемых в ролике");
  // The trailing blank belongs to the text.
  b.Item("ListBox2R", 3, "Composer", "Автор музыки музыкального произведения ");
  b.Item("ListBox2R", 4, "Time (Hour:Min:Sec)", "Длительность звучания музыкального произведения (мин. сек.)");
  b.Item("ListBox2R", 5, "Rotations", "Количество показов");
  // Both texts use the Cyrillic letter ha as the multiplication sign.
  b.Item("ListBox2R", 6, "Whole rotation time (5 х 6)", "Общий хронометраж (мин.сек) (гр.5 х гр.6)");

  b.Caption("BitBtn2", "Select all", "Выбрать все");
  b.Caption("Label4", "Quarter:", "Квартал:");
  b.Caption("Label5", "Year:", "Год:");
  b.Caption("Label1", "Report columns:", "Столбцы отчета:");
  b.Item("ListBox1", 0, "Name of the Project", "Наименование передачи");
  b.Item("ListBox1", 1, "Rotation date", "Дата и время выхода в эфир (число, часы, мин.)");
  b.Item("ListBox1", 2, "Titles", "Название музыкальных произведений, используемых в программе");
  b.Item("ListBox1", 3, "Composer", "ФИО композитора");
  b.Item("ListBox1", 4, "Text Writer", "ФИО автора текста");
  b.Item("ListBox1", 5, "Time (Hour:Min:Sec)", "Длительность звучания произведения (мин. сек.)");
  b.Item("ListBox1", 6, "Rotations", "Количество исполнений");
  b.Item("ListBox1", 7, "Whole rotation time", "Общий хронометраж");
  b.Item("ListBox1", 8, "Genre", "Жанр произведения");
  b.Item("ListBox1", 9, "Artist", "Исполнитель (ФИО исполнителя или название коллектива)");
  b.Caption("TabSheet1", "TV/Radio Report to RAO (Russia)", "Отчет РАО - Эфир");
  b.Caption("ReadyBut", "OK", "Готово");
}

void ScanWindow(Builder& b) {
  b.Group(10, "TScanForm");
  b.Window("DAW Data Collecting", "Сбор данных");
  b.Caption("GroupBox1", " Projects | Sessions ", " Проекты | Сессии ");
  b.Caption("CheckBox6", "Other... ", "Другое");
  b.Label("ExcludeNames", "Exclude temp files", "Не брать временные сессии");
  b.Caption("WAVCheck", "Collect only WAVs", "Учитывать только файлы WAV");
  b.Caption("SPlace", "Where to search", "Где искать");
  b.Label("spath", "Start path (include subfolders)", "Путь на диске (будут учтены и подкаталоги)");
  b.Caption("GroupBox2", "Options", "Настройки");
  b.Caption("GroupBox3", "Progress", "Ход сканирования");
  b.Caption("ExitBut", "Quit", "Выход");
  b.Caption("SBut", "Collect data", "Сканировать");
  b.Hint("SelDirBut", "Choose a folder", "Выбрать папку");
  b.Hint("WAVCheck", "Take into list only WAV files in the sessions - otherwise take any format",
         "Учитывать только файлы WAV в сессиях, иначе - берется любой формат");
  b.Hint("CheckBox6", "Type the extension of the project files with its dot, for example .ses",
         "Укажите расширение файлов проекта с точкой, например .ses");
}

void DocumentsWindow(Builder& b) {
  b.Group(11, "TDocForm");
  b.Window("Subscription's license", "Документы Подписки");
  b.Caption("DocGroupBox", "Contract", "Договор");
  b.Caption("DogDateLbl", "Contract date", "Дата договора");
  b.Caption("DogPrLbl", "Report date", "Дата отчета");
  b.Caption("QuotaLbl", "Quota", "Квота");
  b.Caption("PriceLbl", "Price", "Цена");
  b.Caption("DogNoLbl", "Contract number", "Номер договора");
  b.Caption("TabSheet1", "Legal entity", "Юридическое лицо");
  b.Caption("TabSheet2", "Individual entrepreneur", "Индивидуальный Предприниматель");
  b.Caption("TabSheet3", "Private person", "Частное лицо");
  // Legal entity page.
  b.Caption("Label1", "Company name", "Наименование организации");
  b.Caption("Label2", "Full name of the head", "ФИО руководителя");
  b.Caption("Label3", "Position", "Должность");
  b.Caption("Label4", "Acting on the basis of", "Основание полномочий");
  b.Caption("Label5", "Company details", "Реквизиты");
  // Individual entrepreneur page.
  b.Caption("Label7", "Full name of the entrepreneur", "ФИО предпринимателя");
  b.Caption("Label6", "OGRNIP (state registration number)", "ОГРНИП");
  b.Caption("Label8", "Entrepreneur's details", "Реквизиты");
  // Private person page.
  b.Caption("Label9", "Full name", "ФИО");
  b.Caption("Label11", "Identity document", "Паспортные данные");
  b.Caption("Label10", "Personal details", "Реквизиты");
  b.Caption("CancelBut", "Cancel", "Отмена");
  b.Caption("MakeDocBut", "Get Contract", "Документы");
  b.Caption("ViewDocBut", "Complete", "Сформировать");
  b.Title("SaveRTF", "Save documents in RTF format", "Сохранить документы в формате RTF");
  // The legend of the field indicators: red, green, yellow.
  b.Caption("Label16", "Required field", "Обязательное поле");
  b.Caption("Label17", "Field filled in", "Поле заполнено");
  b.Caption("Label18", "Optional field", "Необязательное поле");
}

void SignInWindow(Builder& b) {
  b.Group(12, "TSignInForm");
  b.Hint("PassViewBtn", "Show / hide password", "Отобразить / скрыть пароль");
  b.Label("logEdit", "Login", "Логин");
  b.Label("passEdit", "Password", "Пароль");
  b.Caption("SignInBut", "Sign In", "Войти");
  b.Caption("SignInLbl", "Subscription", "Вход в Подписку");
  b.Caption("CancelBut", "Cancel", "Отмена");
}

std::vector<CaptionRow> BuildTable() {
  std::vector<CaptionRow> rows;
  rows.reserve(356);
  Builder b(rows);
  StartWindow(b);
  FavouritesOrganiser(b);
  TrackInformation(b);
  ProgressWindow(b);
  MainWindowMenus(b);
  AddByCodeWindow(b);
  MusicSetWindow(b);
  SearchPanel(b);
  ReportWindow(b);
  ScanWindow(b);
  DocumentsWindow(b);
  SignInWindow(b);
  return rows;
}

}  // namespace

const std::vector<CaptionRow>& CaptionTable() {
  static const std::vector<CaptionRow> rows = BuildTable();
  return rows;
}

std::string CaptionText(const CaptionRow& row, Language language) {
  return language == Language::Russian ? row.russian : row.english;
}

std::string SearchAreaCaption(Language language, int item,
                              const std::function<std::optional<std::string>(std::string_view)>& translate) {
  if (item < 1 || item >= static_cast<int>(kSearchAreaNames.size())) return {};
  const std::string_view name = kSearchAreaNames[static_cast<size_t>(item)];
  if (language == Language::English) return std::string(name);
  if (!translate) return {};
  return translate(name).value_or(std::string());
}

}  // namespace trakvella
