// The splitter module object "CarvelloMui".
#pragma once

#include "Plug.h"

#include <atomic>

class CarvelloMui final : public I_CarvelloMui {
public:
    static I_Plug *Create();

    bool InitInstance() override { return true; }
    int32_t AddRef() override { return ++m_refs; }
    void Release() override;
    bool ExitInstance() override { return true; }
    bool Run(const void *icon, const char *title) override;

private:
    CarvelloMui() = default;
    ~CarvelloMui() = default;

    std::atomic<int32_t> m_refs{1};
};
