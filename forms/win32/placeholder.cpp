// Placeholder for the Win32 backend until it lands.
namespace vestora::forms::win32 {

void Placeholder() {}

}  // namespace vestora::forms::win32
