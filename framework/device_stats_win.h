#pragma once
// m_deviceStats of a newly created device, from what it was created with.
#include <windows.h>
#include <d3d9.h>
#include "framework/frame_stats.h"

// "HAL (pure hw vp): <adapter description>", "REF (simulated hw vp)", ...: the device type,
// the vertex processing of `behaviorFlags` (D3DCREATE_*), and on HAL devices the adapter's
// description. Cut to 89 characters.
void DescribeDevice(D3DDEVTYPE deviceType, DWORD behaviorFlags,
                    const D3DADAPTER_IDENTIFIER9& adapter, char (&text)[kStatsTextSize]);
