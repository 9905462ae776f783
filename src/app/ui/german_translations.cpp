#include "app/ui/german_translations.hpp"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tab::ui {

bool LoadGermanTranslations(QCoreApplication& application) {
  const QLocale german(QLocale::German, QLocale::Germany);
  QLocale::setDefault(german);
  auto* translator = new QTranslator(&application);
  if (!translator->load(german, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace tab::ui
