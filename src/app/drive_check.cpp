#include "app/drive_check.hpp"

#include <dirent.h>

#include <cerrno>
#include <cstring>

namespace tab {

namespace {

bool MeansNoMedium(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
    case ENXIO:
    case ENODEV:
#ifdef ENOMEDIUM
    case ENOMEDIUM:
#endif
      return true;
    default:
      return false;
  }
}

}  // namespace

VolumeProbe FileSystemVolumeLayer::Probe(const std::string& root) {
  VolumeProbe probe;
  DIR* dir = ::opendir(root.c_str());
  if (dir == nullptr) {
    const int error = errno;
    probe.outcome =
        MeansNoMedium(error) ? VolumeProbe::Outcome::NoMedium : VolumeProbe::Outcome::Unreadable;
    probe.error = error;
    return probe;
  }
  probe.outcome = VolumeProbe::Outcome::Empty;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir);
    if (entry == nullptr) {
      if (errno != 0) {
        probe.outcome = VolumeProbe::Outcome::Unreadable;
        probe.error = errno;
      }
      break;
    }
    if (std::strcmp(entry->d_name, ".") != 0 && std::strcmp(entry->d_name, "..") != 0) {
      probe.outcome = VolumeProbe::Outcome::EntryFound;
      break;
    }
  }
  ::closedir(dir);
  return probe;
}

bool CheckDrive(const std::string& root, const std::string& drive, bool showMessages,
                VolumeLayer& layer, MessagePort& port) {
  const VolumeProbe probe = layer.Probe(root);
  switch (probe.outcome) {
    case VolumeProbe::Outcome::EntryFound:
      return true;
    case VolumeProbe::Outcome::Empty:
      if (showMessages) port.Plain("Datenträger im Laufwerk " + drive + ": ist leer!");
      return true;
    case VolumeProbe::Outcome::NoMedium:
      if (showMessages) port.Plain("KEIN Datenträger im Laufwerk " + drive + ":");
      return false;
    case VolumeProbe::Outcome::Unreadable:
      break;
  }
  if (showMessages) {
    port.Plain("Datenträger im Laufwerk " + drive +
               ": nicht formatiert!\nE/A-Fehler: " + std::to_string(probe.error) + " aufgetreten!");
  }
  return false;
}

}  // namespace tab
