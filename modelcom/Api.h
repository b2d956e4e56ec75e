// Visibility of the model libraries' C exports.
#pragma once

#define TB_MODELCOM_EXPORT __attribute__((visibility("default")))
