#pragma once
// MessageTable: every text the program builds at the moment of display (messages, status lines,
// prompts, dialog titles) in English and Russian, by number 0-136. Static data; callers copy texts.
#include <string>

#include "core/lang/Language.h"

namespace trakvella {

// Number of message slots (indexes 0 to kMessageCount - 1).
inline constexpr unsigned kMessageCount = 137;

// The messages by name; each value is the message's index in the table (103 has
// no row).
enum class Msg : unsigned {
  UpdateDownloaded = 0,
  ReadUpdateInfo = 1,
  UpdateNow = 2,
  UpdateFailed = 3,
  UpdateInfoCaption = 4,
  FoldersFound = 5,
  TracksFound = 6,
  TracklistsFound = 7,
  Version = 8,
  Copyright = 9,
  ScanningCatalogue = 10,
  BuildingDatabase = 11,
  CdsCount = 12,
  LocalTracksCount = 13,
  WebTracksCount = 14,
  ErrorsCount = 15,
  Quit = 16,
  FavouritesFull = 17,
  Adding = 18,
  InputCaption = 19,
  LoginPrompt = 20,
  PasswordPrompt = 21,
  WrongLoginOrPassword = 22,
  SubscriptionDownloadOnlyInSubscriptionMode = 23,
  DemoDownloadOnlyInSubscriptionMode = 24,
  StatusComposer = 25,  // " с:" before the composer in a track row
  StatusArtist = 26,
  StatusArtistComposer = 27,
  InputNumber = 28,
  DiscNumber = 29,
  TrackNumber = 30,
  ClearMusicSet = 31,
  SaveM3uTitle = 32,
  M3uFilter = 33,
  DownloadingCopying = 34,
  CopyError = 35,
  FileNotOnServer = 36,
  NetworkFailure = 37,
  ConnectingServer = 38,
  ConnectionFailed = 39,
  DownloadingFiles = 40,
  Of = 41,
  Track = 42,
  CouldNotDownload = 43,
  SaveRq2Title = 44,
  Rq2Filter = 45,
  OpenRq2Title = 46,
  InformationFromFileName = 47,
  AnyFileFilter = 48,
  Scanning = 49,
  DuplicatesRemoved = 50,
  ServerAddress = 51,
  TypeEffectsOnly = 52,
  TypeMusicOnly = 53,
  TypeMusicAndJingles = 54,
  SearchCompleted = 55,
  Tempo = 56,
  AnyTempo = 57,
  Mood = 58,
  AnyMood = 59,
  Period = 60,
  AnyPeriod = 61,
  Style = 62,
  AnyStyle = 63,
  IndexedTracks = 64,
  Searching = 65,
  WebSiteName = 66,
  CopiedRows = 67,
  ExtractError = 68,
  RowsToClipboard = 69,
  ReadReportInstructions = 70,
  FoundTracks = 71,
  FolderScanning = 72,
  ScanTracksAdded = 73,
  FolderLabel = 74,
  NoLocalTracks = 75,
  AlreadyDownloaded = 76,
  Continue = 77,
  CheckingUpdate = 78,
  ExitingSubscription = 79,
  Unpacking = 80,
  ArchiveOpenError = 81,
  ArchiveUnpackError = 82,
  Abort = 83,
  InProgress = 84,
  Closing = 85,
  TracksLeft = 86,
  SignInSubscription = 87,
  QuotaOver = 88,
  DragTrack = 89,
  SubscriptionMode = 90,
  DemoMode = 91,
  Cancel = 92,
  DragAndDrop = 93,
  SpecifyFolder = 94,
  PleaseSignIn = 95,
  SubscriptionDocuments = 96,
  SelectDocumentSource = 97,
  SubscriptionList = 98,
  MusicSet = 99,
  FillRequiredFields = 100,
  TracksCount = 101,
  NewSubscription = 102,
  TracksLeftLower = 104,
  NotEntered = 105,
  CannotCreateFolder = 106,
  WebServer = 107,
  HardDisk = 108,
  UpdatesDownloaded = 109,
  Registry = 110,
  DeleteAllData = 111,
  Comments = 112,
  EnableOfflineMode = 113,
  EnableOnlineMode = 114,
  DownloadDisabledOffline = 115,
  StartBrowserForDemo = 116,
  SavePassport = 117,
  PassportSaved = 118,
  PassportSaveError = 119,
  EnterSearchWord = 120,
  EnteringAccount = 121,
  CustomDemoServer = 122,
  EnterUrl = 123,
  // Messages this program added after the design's own.
  LoginTooLong = 124,         // a login no account file can be named after
  AccountFileNotSaved = 125,  // followed by the account file
  ReplaceFile = 126,          // followed by the file
  DemoFilesSaved = 127,       // "Demo files saved: " before the count of a demo download run
  DemoFilesFailed = 128,      // ", not downloaded: " before the count of the failed ones
  FtpTlsRefused = 129,        // a server without TLS where this account's server had it
  NoBrowser = 130,            // no web browser could be started, before the address
  NoFileManager = 131,        // no file manager could be started, before the file
  // A file the program did not read: why, "\r" and the file (FileReadMessage).
  FileNotRead = 132,
  FileNotRegular = 133,
  FileTooLarge = 134,  // followed by the limit in MB
  // An installed program does not replace itself: the newer version, then how the package is updated.
  NewerVersionAvailable = 135,
  UpdateThroughPackage = 136,
};

// The message in `language`; the empty text for a value without a row (103, above 136).
std::string LangMessage(Language language, Msg message);

}  // namespace trakvella
