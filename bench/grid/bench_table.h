#pragma once

#include <string>

#include "grid/cell_table_box.h"
#include "platform/window.h"

// A window holding a table box over generated owner data, as the demo and the benchmark
// show it.
namespace bench {

class BenchTable : public platform::Window {
public:
    explicit BenchTable(int rows);

    grid::TCellTableBox& box() { return *m_box; }
    // How many cell texts were asked, to see that painting happened.
    long long textRequests() const { return m_textRequests; }

protected:
    framework::LResult windowProc(framework::MessageId message, framework::WParam wParam,
                                  framework::LParam lParam) override;
    void onSize(int width, int height) override;

private:
    grid::TCellTableBox* m_box = nullptr;
    std::string m_text;
    long long m_textRequests = 0;
};

} // namespace bench
