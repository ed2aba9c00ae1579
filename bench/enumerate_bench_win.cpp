// startup.enumerate_ms: how long the device catalog takes to ask Direct3D about every adapter,
// the median of five enumerations with a fresh catalog each.
#include <windows.h>
#include <d3d9.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/com_ref.h"
#include "framework/d3d_enumeration_win.h"

int main() {
    const ComRef<IDirect3D9> d3d(Direct3DCreate9(D3D_SDK_VERSION));
    if (!d3d) {
        fprintf(stderr, "enumerate_bench: no Direct3D\n");
        return 1;
    }
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        CD3DDeviceCatalog catalog;
        catalog.SetDirect3D(d3d);
        catalog.m_needsDepthBuffer = true;   // as the application asks
        LARGE_INTEGER start, end;
        QueryPerformanceCounter(&start);
        HRESULT hr = catalog.Enumerate();
        QueryPerformanceCounter(&end);
        if (FAILED(hr)) {
            fprintf(stderr, "enumerate_bench: Enumerate failed 0x%08lx\n", hr);
            return 1;
        }
        times.push_back(double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    printf("startup.enumerate_ms: %.2f ms\n", times[times.size() / 2]);
    return 0;
}
