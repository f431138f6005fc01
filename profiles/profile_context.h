#pragma once
#include "i18n/language_table.h"
#include "model/download.h"
#include "profiles/data_folder.h"

// What the profile routines reach: the data folder, the configuration model with the
// keyboard and the message boxes, and the texts they show.

namespace tarvolin::profiles {

struct ProfileContext {
  DataFolder& data_folder;
  model::ConfigContext& config;
  const LanguageTable& texts = GlobalLanguageTable();
};

}  // namespace tarvolin::profiles
