// CD3DApplication::UpdateFrameStats: the rate and the back buffer's formats, once a second.
#include "framework/app_timer.h"
#include "framework/d3d_application_win.h"
#include "framework/format_name_win.h"
#include "framework/frame_stats.h"

void CD3DApplication::UpdateFrameStats() {
    if (!CountFrame(m_frameRateMeter, AppTimer(TimerCommand::GetAbsoluteTime), m_fps))
        return;
    FrameStatsInput input;
    input.fps = m_fps;
    input.width = m_backBufferDesc.Width;
    input.height = m_backBufferDesc.Height;
    input.backBufferFormat = FormatName(m_backBufferDesc.Format, false);
    D3DFORMAT adapterFormat = m_settings.GetDisplayMode().Format;
    if (adapterFormat != m_backBufferDesc.Format)
        input.adapterFormat = FormatName(adapterFormat, false);
    if (m_deviceCatalog.m_needsDepthBuffer)
        input.depthName = FormatName(m_settings.GetDepthStencilFormat(), false);
    input.multisampleType = m_settings.GetMultisampleType();
    FormatFrameStats(input, m_frameStats);
}
