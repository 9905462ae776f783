#pragma once
// The drive check: before the chooser switches to another volume, look whether it holds a
// readable medium, and tell the user why not.
#include <string>

#include "records/message_port.hpp"

namespace tab {

// What a look at a volume's root folder found.
struct VolumeProbe {
  enum class Outcome { EntryFound, Empty, NoMedium, Unreadable };
  Outcome outcome = Outcome::EntryFound;
  int error = 0;  // errno of an unreadable medium
};

// How the check looks at a volume; tests put simulated media behind it.
class VolumeLayer {
 public:
  virtual ~VolumeLayer() = default;
  virtual VolumeProbe Probe(const std::string& root) = 0;
};

// Reads the first entry of the root folder ("." and ".." do not count).
class FileSystemVolumeLayer : public VolumeLayer {
 public:
  VolumeProbe Probe(const std::string& root) override;
};

// Whether the volume at `root` holds a usable medium; `drive` is the volume's name as the
// selector shows it. The messages are plain boxes, shown only when asked for.
bool CheckDrive(const std::string& root, const std::string& drive, bool showMessages,
                VolumeLayer& layer, MessagePort& port);

}  // namespace tab
