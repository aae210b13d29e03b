// FolderScan: searching the project files, scanning them and the scan window's state.
#include "core/maintenance/FolderScan.h"

#include <algorithm>
#include <set>
#include <system_error>

#include "core/lang/MessageTable.h"
#include "core/text/Text.h"

namespace trakvella {

namespace fs = std::filesystem;

const std::array<ProjectType, kProjectTypeCount>& ProjectTypes() {
  static const std::array<ProjectType, kProjectTypeCount> types = {{
      {"CheckBox1", "flabel1", "Steinberg Cubase", ".cpr", true},
      {"CheckBox2", "flabel2", "Steinberg Nuendo", ".npr", true},
      {"CheckBox3", "flabel3", "Magix Samplitude", ".vip", true},
      {"CheckBox4", "flabel4", "Sony Vegas", ".veg", true},
      {"CheckBox5", "flabel5", "Sony Acid", ".acd", true},
      {"CheckBox6", "flabel6", "", "", false},
      // Types read beyond the first six; gzip-compressed ones are decoded first.
      {"CheckBox7", "flabel7", "Ableton Live", ".als", false},
      {"CheckBox8", "flabel8", "Adobe Premiere", ".prproj", false},
      {"CheckBox9", "flabel9", "Reaper", ".rpp", false},
      {"CheckBox10", "flabel10", "Pro Tools", ".ptx", false},
      {"CheckBox11", "flabel11", "Adobe Audition", ".sesx", false},
  }};
  return types;
}

ScanSettings DefaultScanSettings() {
  ScanSettings settings;
  for (int i = 0; i < kProjectTypeCount; ++i) settings.ticked[i] = ProjectTypes()[i].tickedAtStart;
  settings.excludeNames = std::string(kDefaultExcludeNames);
  return settings;
}

std::vector<std::string> ExclusionList(std::string_view excludeNames) {
  std::set<std::string> parts;
  size_t from = 0;
  while (true) {
    const size_t comma = excludeNames.find(',', from);
    const std::string_view part =
        excludeNames.substr(from, comma == std::string_view::npos ? std::string_view::npos : comma - from);
    parts.insert(LowerCase(TrimView(part)));
    if (comma == std::string_view::npos) break;
    from = comma + 1;
  }
  return {parts.begin(), parts.end()};
}

bool NotExcluded(std::string_view fileName, const std::vector<std::string>& exclusions) {
  const std::string name = LowerCase(fileName);
  for (const std::string& part : exclusions)
    if (!part.empty() && name.find(part) != std::string::npos) return false;
  return true;
}

std::string ProjectExtension(std::string_view fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string_view::npos ? std::string() : LowerCase(fileName.substr(dot));
}

namespace {

// One walk over a folder tree: every regular file, depth first, each folder's
// entries in name order.
class ProjectWalk {
 public:
  using Visit = std::function<void(const std::string& path, size_t nameStart)>;
  ProjectWalk(Progress& progress, const Visit& visit) : progress_(progress), visit_(visit) {}

  // realFolder: the folder's path with every link resolved, which tells a
  // folder reached a second time. The walk goes by these real paths, so a
  // folder reached through a link is reported under its own name, as it is
  // when it is reached where it stands.
  void Walk(const fs::path& folder, const std::string& realFolder) {
    if (stopped_ || !visited_.insert(realFolder).second) return;
    progress_.pump();
    if (progress_.Cancelled()) {
      stopped_ = true;
      return;
    }
    struct Entry {
      std::string path;
      size_t nameStart;
      bool directory, link;
    };
    std::vector<Entry> entries;
    std::error_code ec;
    fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
    if (ec) return;
    for (fs::directory_iterator end; it != end; it.increment(ec)) {
      std::error_code typeError;
      const bool link = it->is_symlink(typeError);
      const bool directory = !typeError && it->is_directory(typeError);
      const bool regular = !typeError && !directory && it->is_regular_file(typeError);
      if (typeError || (!directory && !regular)) continue;  // broken links, devices, pipes
      std::string path = it->path().native();
      const size_t nameStart = path.rfind('/') + 1;  // npos + 1 is 0
      entries.push_back({std::move(path), nameStart, directory, link});
    }
    if (ec) return;
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
      return std::string_view(a.path).substr(a.nameStart) < std::string_view(b.path).substr(b.nameStart);
    });
    for (const Entry& entry : entries) {
      const std::string_view name = std::string_view(entry.path).substr(entry.nameStart);
      if (entry.directory) {
        std::string realSub;
        if (entry.link) {
          std::error_code linkError;
          realSub = fs::canonical(entry.path, linkError).native();
          if (linkError) continue;
        } else {
          realSub = realFolder;
          if (realSub.empty() || realSub.back() != '/') realSub += '/';
          realSub += name;
        }
        Walk(entry.link ? fs::path(realSub) : fs::path(entry.path), realSub);
        if (stopped_) return;
      } else {
        visit_(entry.path, entry.nameStart);
      }
    }
  }

 private:
  Progress& progress_;
  const Visit& visit_;
  std::unordered_set<std::string> visited_;
  bool stopped_ = false;
};

// The folder of a path with its trailing "/", and the last folder name in it.
std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}
std::string LastFolderName(const std::string& folder) {
  if (folder.size() < 2) return {};
  const size_t before = folder.rfind('/', folder.size() - 2);
  return before == std::string::npos ? folder.substr(0, folder.size() - 1)
                                     : folder.substr(before + 1, folder.size() - before - 2);
}
std::string FileNameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}
std::string WithoutExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

namespace {

// Walks the tree under folder (nothing when it is no folder).
void WalkFiles(const fs::path& folder, Progress& progress, const ProjectWalk::Visit& visit) {
  std::error_code ec;
  const fs::path real = fs::canonical(folder, ec);
  if (ec || !fs::is_directory(real, ec)) return;
  std::string start = real.native();
  if (start.empty() || start.back() != '/') start += '/';
  ProjectWalk(progress, visit).Walk(start, real.native());
}

bool IsProject(std::string_view name, std::string_view extension, const std::vector<std::string>& exclusions) {
  return !extension.empty() && ProjectExtension(name) == extension && NotExcluded(name, exclusions);
}

}  // namespace

void FindProjects(const fs::path& folder, std::string_view extension, const std::vector<std::string>& exclusions,
                  Progress& progress, std::vector<std::string>& result, const std::function<void(size_t)>& onCount) {
  if (extension.empty()) return;
  WalkFiles(folder, progress, [&](const std::string& path, size_t nameStart) {
    if (!IsProject(std::string_view(path).substr(nameStart), extension, exclusions)) return;
    result.push_back(path);
    if (onCount) onCount(result.size());
  });
}

bool FolderTable::Add(const std::string& folder, const std::string& name, const std::string& code) {
  auto [slot, isNew] = slotOf_.try_emplace(folder, slots_.size());
  if (isNew) slots_.emplace_back();
  return slots_[slot->second].insert(name + "=" + code).second;
}

void FolderTable::Clear() {
  slotOf_.clear();
  slots_.clear();
}

size_t AddToMusicSet(MusicSet& set, const std::vector<ScanEntry>& entries) {
  const size_t before = set.size();
  FillLines lines;
  for (const ScanEntry& e : entries) lines.Add(e.code, e.projectFolder, e.projectName);
  set.FillMem(lines, FillMode::AppendAll);
  return set.size() - before;
}

std::string ScanResultLine(Language language, size_t added, bool folderTableGrown) {
  std::string text = LangMessage(language, Msg::ScanTracksAdded) + std::to_string(added);
  if (folderTableGrown) {
    text += language == Language::Russian ? "\nПапок с проектами больше " : "\nMore than ";
    text += std::to_string(kFolderTableSlots);
    text += language == Language::Russian ? ": просканированы все." : " project folders: every one was scanned.";
  }
  return text;
}

FolderScan::FolderScan(Progress& progress, Inflater* inflater, const Language& language)
    : progress_(progress), inflater_(inflater), language_(language) {}

void FolderScan::Show() {
  if (view_) view_->ShowScan(display_);
}

std::string FolderScan::Text(Msg message) const { return LangMessage(language_, message); }

void FolderScan::ClearDisplay() {
  display_.proF.clear();
  display_.mPro.clear();
  display_.proNum.clear();
  display_.reslabel.clear();
  display_.fileGauge = display_.fileGaugeMax = 0;
  display_.overall = display_.overallMax = 0;
  Show();
}

void FolderScan::FindProjects(const ScanSettings& settings) {
  display_.mProTag = 0;
  const std::vector<std::string> exclusions = ExclusionList(settings.excludeNames);

  // The tree is walked once, at the first type searched; each type then takes
  // its files from the walk in the walk's order, as a walk of its own would.
  struct File {
    std::string path;
    size_t nameStart;
  };
  std::vector<File> files;
  bool walked = false;
  for (int type = 0; type < kProjectTypeCount && !cancelled_; ++type) {
    if (!settings.ticked[type]) continue;
    const std::string extension =
        type == kOtherProjectType ? settings.otherExtension : std::string(ProjectTypes()[type].extension);
    size_t found = 0;
    display_.countLabels[type].clear();
    display_.searchingType = type;
    Show();
    if (!walked && !extension.empty()) {
      WalkFiles(settings.startFolder, progress_, [&](const std::string& path, size_t nameStart) {
        files.push_back({path, nameStart});
      });
      walked = true;
      cancelled_ = progress_.Cancelled();
    }
    for (size_t i = 0; i < files.size() && !cancelled_ && !extension.empty(); ++i) {
      if (!IsProject(std::string_view(files[i].path).substr(files[i].nameStart), extension, exclusions)) continue;
      projects_.push_back(files[i].path);
      display_.countLabels[type] = std::to_string(++found);
      Show();
      if (found % 256 == 0) {
        progress_.pump();
        cancelled_ = progress_.Cancelled();
      }
    }
    display_.searchingType = -1;
    display_.countLabels[type] = std::to_string(found);
    Show();
  }
}

void FolderScan::ScanProjects(const ScanSettings& settings) {
  display_.overallMax = static_cast<int>(projects_.size());
  const std::string total = std::to_string(projects_.size());
  const std::string foundText = Text(Msg::FoundTracks);
  ProjectScanHooks hooks;
  hooks.progress = &progress_;
  hooks.inflater = inflater_;
  hooks.onGauge = [this](int64_t position, int64_t maximum) {
    display_.fileGauge = position;
    display_.fileGaugeMax = maximum;
    Show();
  };
  hooks.onCodeFound = [&](size_t codesOfFile) {
    display_.mPro = foundText + std::to_string(codesOfFile + static_cast<size_t>(display_.mProTag));
    Show();
  };
  std::vector<std::string> codes;
  for (size_t k = 0; k < projects_.size() && !cancelled_; ++k) {
    const std::string& path = projects_[k];
    display_.overall = static_cast<int>(k + 1);
    display_.proNum = std::to_string(k + 1) + "/" + total;
    display_.proF = FileNameOf(path);
    display_.fileGauge = 0;
    Show();
    scanner_.ScanProjectFile(path, settings.wavOnly, codes, hooks);
    if (scanner_.cancelled()) {
      cancelled_ = true;
      break;  // a project read in part adds nothing
    }
    display_.mProTag += static_cast<int>(codes.size());
    const std::string folder = FolderOf(path);
    const std::string folderName = LastFolderName(folder);
    const std::string name = WithoutExtension(FileNameOf(path));
    for (const std::string& code : codes) {
      const std::string upper = UpperCase(code);
      if (folders_.Add(folder, name, upper)) entries_.push_back({FirstChars(upper, 12), folderName, name});
    }
  }
}

void FolderScan::Run(const ScanSettings& settings, const AddToSet& addToSet) {
  display_.idle = false;
  display_.reslabel = Text(Msg::FolderScanning);
  folders_.Clear();
  entries_.clear();
  projects_.clear();
  cancelled_ = false;
  for (auto& label : display_.countLabels) label.clear();
  progress_.ClearCancel();
  Show();

  std::error_code ec;
  if (!settings.startFolder.empty() && fs::is_directory(settings.startFolder, ec)) {
    FindProjects(settings);
    ScanProjects(settings);
  }

  const size_t added = addToSet ? addToSet(entries_) : 0;
  display_.reslabel = ScanResultLine(language_, added, folders_.grown());
  display_.idle = true;
  Show();
}

}  // namespace trakvella
