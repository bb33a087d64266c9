// A Direct3D 9 object of the tests' own: it answers the calls the launcher makes from a
// script of capabilities and modes, and records every call with its arguments.
#pragma once

#include <windows.h>
#include <d3d9.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

class FakeDirect3D9 : public IDirect3D9 {
public:
    // What the fake answers.
    D3DCAPS9 caps = {};
    HRESULT capsResult = D3D_OK;
    HRESULT formatResult = D3D_OK;
    std::vector<D3DDISPLAYMODE> modes;
    UINT reportedModeCount = ~0u;  // ~0u: report modes.size()
    std::set<UINT> failingModeIndexes;

    // What the launcher did with it.
    std::vector<std::string> calls;
    int releases = 0;

    FakeDirect3D9()
    {
        caps.NumSimultaneousRTs = 4;
        caps.StencilCaps = D3DSTENCILCAPS_TWOSIDED;
        caps.PixelShaderVersion = D3DPS_VERSION(2, 0);
    }

    STDMETHOD_(ULONG, Release)(THIS) override
    {
        calls.push_back("Release");
        ++releases;
        return 0;
    }
    STDMETHOD(GetDeviceCaps)(THIS_ UINT adapter, D3DDEVTYPE type, D3DCAPS9* out) override
    {
        Record("GetDeviceCaps(%u,%d)", adapter, int(type));
        // Filled even when the query fails: a failed query may leave anything in the record.
        *out = caps;
        return capsResult;
    }
    STDMETHOD(CheckDeviceFormat)(THIS_ UINT adapter, D3DDEVTYPE type, D3DFORMAT adapterFormat,
                                 DWORD usage, D3DRESOURCETYPE resource, D3DFORMAT format) override
    {
        Record("CheckDeviceFormat(%u,%d,%d,%lu,%d,%d)", adapter, int(type), int(adapterFormat),
               (unsigned long)usage, int(resource), int(format));
        return formatResult;
    }
    STDMETHOD_(UINT, GetAdapterModeCount)(THIS_ UINT adapter, D3DFORMAT format) override
    {
        Record("GetAdapterModeCount(%u,%d)", adapter, int(format));
        return reportedModeCount == ~0u ? UINT(modes.size()) : reportedModeCount;
    }
    STDMETHOD(EnumAdapterModes)(THIS_ UINT adapter, D3DFORMAT format, UINT index,
                                D3DDISPLAYMODE* out) override
    {
        Record("EnumAdapterModes(%u,%d,%u)", adapter, int(format), index);
        if (failingModeIndexes.count(index) || index >= modes.size())
            return D3DERR_INVALIDCALL;
        *out = modes[index];
        return D3D_OK;
    }

    // Calls the launcher never makes: recorded so that a test notices if it starts to.
    STDMETHOD(QueryInterface)(THIS_ REFIID, void**) override
    {
        return Unexpected("QueryInterface");
    }
    STDMETHOD_(ULONG, AddRef)(THIS) override { return ULONG(Unexpected("AddRef")); }
    STDMETHOD(RegisterSoftwareDevice)(THIS_ void*) override
    {
        return Unexpected("RegisterSoftwareDevice");
    }
    STDMETHOD_(UINT, GetAdapterCount)(THIS) override { return UINT(Unexpected("GetAdapterCount")); }
    STDMETHOD(GetAdapterIdentifier)(THIS_ UINT, DWORD, D3DADAPTER_IDENTIFIER9*) override
    {
        return Unexpected("GetAdapterIdentifier");
    }
    STDMETHOD(GetAdapterDisplayMode)(THIS_ UINT, D3DDISPLAYMODE*) override
    {
        return Unexpected("GetAdapterDisplayMode");
    }
    STDMETHOD(CheckDeviceType)(THIS_ UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT, WINBOOL) override
    {
        return Unexpected("CheckDeviceType");
    }
    STDMETHOD(CheckDeviceMultiSampleType)(THIS_ UINT, D3DDEVTYPE, D3DFORMAT, WINBOOL,
                                          D3DMULTISAMPLE_TYPE, DWORD*) override
    {
        return Unexpected("CheckDeviceMultiSampleType");
    }
    STDMETHOD(CheckDepthStencilMatch)(THIS_ UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT,
                                      D3DFORMAT) override
    {
        return Unexpected("CheckDepthStencilMatch");
    }
    STDMETHOD(CheckDeviceFormatConversion)(THIS_ UINT, D3DDEVTYPE, D3DFORMAT, D3DFORMAT) override
    {
        return Unexpected("CheckDeviceFormatConversion");
    }
    STDMETHOD_(HMONITOR, GetAdapterMonitor)(THIS_ UINT) override
    {
        Unexpected("GetAdapterMonitor");
        return NULL;
    }
    STDMETHOD(CreateDevice)(THIS_ UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                            IDirect3DDevice9**) override
    {
        return Unexpected("CreateDevice");
    }

private:
    template <typename... Args>
    void Record(const char* format, Args... args)
    {
        char call[128];
        snprintf(call, sizeof call, format, args...);
        calls.push_back(call);
    }
    HRESULT Unexpected(const char* name)
    {
        calls.push_back(name);
        return E_NOTIMPL;
    }
};

inline D3DDISPLAYMODE Mode(UINT width, UINT height, UINT refreshRate = 60)
{
    return D3DDISPLAYMODE{width, height, refreshRate, D3DFMT_X8R8G8B8};
}
