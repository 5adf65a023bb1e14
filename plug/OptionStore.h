// The options-store module "Keldrix": values read from an XML options file, named by
// backslash-separated paths of element names below the root ("product\version").
#pragma once

#include "Plug.h"

class I_OptionStore : public I_Plug {
public:
    virtual bool ExitInstance() = 0;                                  // slot 3
    // Loads the file's values for later reads; false when it cannot be read or parsed
    // (the store is then empty).
    virtual bool LoadOptions(const char16_t *path) = 0;               // slot 4
    // Whether the loaded file has a value under key.
    virtual bool HasOption(const char16_t *key) = 0;                  // slot 5
    // The value under key, empty when there is none; never null. Valid until the next call.
    virtual const char16_t *GetOptionText(const char16_t *key) = 0;   // slot 6

protected:
    ~I_OptionStore() = default;
};
