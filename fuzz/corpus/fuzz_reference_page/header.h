typedef struct _DDX
{
  DWORD dwSize; /* size */
  union
  {
    LONG lPitch;
    WORD red[256];
    struct { WORD a; WORD b; } MultiSampleCaps;
  } DUMMYUNIONNAMEN(1);
} DDX;
#undef INTERFACE
#define INTERFACE IDirectDrawGammaControl
DECLARE_INTERFACE_(IDirectDrawGammaControl,IUnknown)
{
    STDMETHOD(GetGammaRamp)(THIS_ DWORD dwFlags, LPDDGAMMARAMP lpRampData) PURE;
    STDMETHOD_(ULONG,Release)(THIS) PURE;
    STDMETHOD(SetGammaRamp)(THIS_ DWORD,LPDDGAMMARAMP) PURE;
};
