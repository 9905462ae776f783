#include "records/error_text.hpp"

#include <cerrno>

namespace tab {
namespace {

struct KnownError {
  int error;
  const char* text;
};

// The errors a file, a folder or a mounted share gives in practice. The C library's own texts
// are English (or missing without its language files), so the program keeps its own.
constexpr KnownError kKnownErrors[] = {
    {EPERM, "Vorgang nicht zulässig"},
    {ENOENT, "Datei oder Verzeichnis nicht gefunden"},
    {EINTR, "Vorgang unterbrochen"},
    {EIO, "Ein-/Ausgabefehler"},
    {ENXIO, "Gerät oder Adresse nicht vorhanden"},
    {EBADF, "Ungültige Dateinummer"},
    {EAGAIN, "Die Ressource ist zurzeit nicht verfügbar"},
    {ENOMEM, "Nicht genügend Speicher verfügbar"},
    {EACCES, "Zugriff verweigert"},
    {EBUSY, "Gerät oder Ressource ist belegt"},
    {EEXIST, "Die Datei existiert bereits"},
    {EXDEV, "Verschieben über Laufwerksgrenzen nicht möglich"},
    {ENODEV, "Gerät nicht vorhanden"},
    {ENOTDIR, "Ist kein Verzeichnis"},
    {EISDIR, "Ist ein Verzeichnis"},
    {EINVAL, "Ungültiges Argument"},
    {ENFILE, "Zu viele offene Dateien im System"},
    {EMFILE, "Zu viele offene Dateien"},
    {ETXTBSY, "Programmdatei ist in Benutzung"},
    {EFBIG, "Datei zu groß"},
    {ENOSPC, "Kein Speicherplatz mehr auf dem Gerät"},
    {EROFS, "Dateisystem ist nur lesbar"},
    {EMLINK, "Zu viele Verknüpfungen"},
    {ENAMETOOLONG, "Dateiname zu lang"},
    {ENOTEMPTY, "Verzeichnis ist nicht leer"},
    {ELOOP, "Zu viele Ebenen symbolischer Verknüpfungen"},
    {ENOTCONN, "Keine Verbindung zum Netzlaufwerk"},
    {ETIMEDOUT, "Zeitüberschreitung der Verbindung"},
    {EHOSTDOWN, "Der Rechner ist nicht erreichbar"},
    {ESTALE, "Veraltete Dateizugriffsnummer (Netzlaufwerk)"},
    {EDQUOT, "Speicherkontingent (Quota) überschritten"},
};

}  // namespace

std::string ErrorText(int error) {
  if (error == kNotRegularFile) return "ist keine normale Datei";
  for (const KnownError& known : kKnownErrors) {
    if (known.error == error) return known.text;
  }
  return "Fehler " + std::to_string(error);
}

}  // namespace tab
