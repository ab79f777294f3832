// Lectura y escritura binaria campo a campo, little-endian.
//
// Los ficheros del sistema (tablas de datos, ficheros de problema) se leen y
// escriben campo a campo, nunca volcando estructuras: así la disposición en
// disco es la misma en cualquier máquina y compilador.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace binario {

inline std::uint32_t u32_de(const unsigned char* p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
           (std::uint32_t(p[3]) << 24);
}
inline float f32_de(const unsigned char* p) { return std::bit_cast<float>(u32_de(p)); }
inline std::int16_t i16_de(const unsigned char* p)
{
    return static_cast<std::int16_t>(std::uint16_t(p[0]) | (std::uint16_t(p[1]) << 8));
}
inline std::int32_t i32_de(const unsigned char* p) { return static_cast<std::int32_t>(u32_de(p)); }

inline void pon_u32(unsigned char* p, std::uint32_t v)
{
    p[0] = static_cast<unsigned char>(v);
    p[1] = static_cast<unsigned char>(v >> 8);
    p[2] = static_cast<unsigned char>(v >> 16);
    p[3] = static_cast<unsigned char>(v >> 24);
}
inline void pon_f32(unsigned char* p, float v) { pon_u32(p, std::bit_cast<std::uint32_t>(v)); }

// Escritor sobre un fichero stdio: cuenta los bytes escritos y recuerda si
// alguna escritura falló.
class escritor {
public:
    explicit escritor(std::FILE* f) : f_(f) {}
    void bytes(const void* datos, std::size_t n)
    {
        if (n == 0) return;
        std::size_t escritos = f_ ? std::fwrite(datos, 1, n, f_) : 0;
        cuenta_ += escritos;
        if (escritos != n) bien_ = false;
    }
    void u8(std::uint8_t v) { bytes(&v, 1); }
    void i8(std::int8_t v) { u8(static_cast<std::uint8_t>(v)); }
    void i16(std::int16_t v)
    {
        unsigned char b[2] = {static_cast<unsigned char>(v), static_cast<unsigned char>(std::uint16_t(v) >> 8)};
        bytes(b, 2);
    }
    void u32(std::uint32_t v)
    {
        unsigned char b[4];
        pon_u32(b, v);
        bytes(b, 4);
    }
    void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
    void f32(float v) { u32(std::bit_cast<std::uint32_t>(v)); }
    std::size_t cuenta() const { return cuenta_; }
    bool bien() const { return bien_; }

private:
    std::FILE* f_;
    std::size_t cuenta_ = 0;
    bool bien_ = true;
};

// Lector sobre un bloque de bytes en memoria: nunca lee más allá del final;
// una lectura que no cabe deja 'bien' en falso y devuelve ceros.
class lector {
public:
    lector(const unsigned char* datos, std::size_t n) : d_(datos), n_(n) {}
    explicit lector(const std::vector<unsigned char>& v) : d_(v.data()), n_(v.size()) {}
    bool hay(std::size_t n) const { return pos_ + n <= n_; }
    const unsigned char* toma(std::size_t n)
    {
        if (!hay(n)) {
            bien_ = false;
            pos_ = n_;
            return nullptr;
        }
        const unsigned char* p = d_ + pos_;
        pos_ += n;
        return p;
    }
    std::uint8_t u8() { auto p = toma(1); return p ? p[0] : 0; }
    std::int8_t i8() { return static_cast<std::int8_t>(u8()); }
    std::int16_t i16() { auto p = toma(2); return p ? i16_de(p) : 0; }
    std::int32_t i32() { auto p = toma(4); return p ? i32_de(p) : 0; }
    float f32() { auto p = toma(4); return p ? f32_de(p) : 0.0f; }
    std::size_t posicion() const { return pos_; }
    std::size_t tamano() const { return n_; }
    bool bien() const { return bien_; }

private:
    const unsigned char* d_;
    std::size_t n_;
    std::size_t pos_ = 0;
    bool bien_ = true;
};

// Lee un fichero entero. Devuelve falso si no se puede abrir o leer entero.
bool lee_fichero(const std::string& ruta, std::vector<unsigned char>& datos);

} // namespace binario
