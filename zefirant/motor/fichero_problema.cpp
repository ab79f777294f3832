#include "zefirant/motor/fichero_problema.h"
#include "zefirant/motor/unidades.h"
#include "zefirant/motor/combustible.h"

#include "comun/binario.h"
#include "comun/escritura_atomica.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t BYTES_NOMBRE = 20;
constexpr int NUM_REFERENCIAS = 6;

// Tamaño máximo de un fichero válido: 40 estados, 40 transformaciones y la
// humedad.
constexpr long BYTES_MAXIMOS = BYTES_CABECERA_PROBLEMA + BYTES_ESTADO_PROBLEMA * MAXESTADOS +
                               2 * MAXTRANSFORMACIONES + 4;

bool unidad_valida(int v) { return v == 0 || v == 1; }

bool finitos(const float* v, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (!std::isfinite(v[i])) return false;
    return true;
}

// Todo lo que trae un fichero de problema, leído aparte antes de aceptarlo.
struct problema_leido {
    int unidades[3] = {};
    char nombre[BYTES_NOMBRE] = {};
    std::int8_t tipo = 0;
    float M = 0, e0 = 0;
    float combustible[6] = {};  // aire, m_c, c, h, Hu, aire_min
    fila_propiedades tabla[NUM_FILAS] = {};
    int num_estados = 0, num_transformaciones = 0;
    estado datos[MAXESTADOS] = {};
    transformacion transformaciones[MAXTRANSFORMACIONES] = {};
    bool con_humedad = false;
    float humedad = 0;
};

// Lee el fichero entero si no pasa del tamaño máximo.
bool lee_bytes(const std::string& ruta, std::vector<unsigned char>& bytes)
{
    std::FILE* f = std::fopen(ruta.c_str(), "rb");
    if (!f) return false;
    bytes.resize(BYTES_MAXIMOS + 1);
    std::size_t n = std::fread(bytes.data(), 1, bytes.size(), f);
    bool bien = !std::ferror(f);
    std::fclose(f);
    bytes.resize(n);
    return bien && n <= static_cast<std::size_t>(BYTES_MAXIMOS);
}

// Los datos de un combustible, los que acepta la página del gas al dejarla:
// cada uno como lo lee su campo, ajustados como ella los ajusta y con sus
// mismas reglas. Un fichero sin humedad la deja en 0, como un problema nuevo.
bool combustible_valido(const problema_leido& r)
{
    propiedades_gas g;
    g.tipo = r.tipo;
    g.aire_min = r.combustible[5];
    const float humedad = r.con_humedad ? r.humedad : 0.0f;
    if (!lee_dato_como_campo(r.combustible[2], g.c) || !lee_dato_como_campo(r.combustible[3], g.h) ||
        !lee_dato_como_campo(humedad, g.humedad) || !lee_dato_como_campo(r.combustible[4], g.Hu) ||
        !lee_dato_como_campo(r.combustible[0], g.aire))
        return false;
    ajusta_combustible(g);
    return fracciones_validas(g.c, g.h) && poder_calorifico_valido(g.Hu) && proporcion_aire_valida(g.tipo, g.aire) &&
           humos_calculables(g);
}

// Los números del fichero han de ser finitos, y los datos de un combustible
// los que acepta la página del gas.
bool numeros_validos(const problema_leido& r)
{
    if (!std::isfinite(r.M) || !std::isfinite(r.e0) || !finitos(r.combustible, 6)) return false;
    for (const auto& fila : r.tabla)
        if (!std::isfinite(fila.cv0) || !std::isfinite(fila.cp0) || !std::isfinite(fila.s0)) return false;
    for (int i = 0; i < r.num_estados; ++i)
        if (!finitos(r.datos[i].prop, NUM_PROP)) return false;
    if (r.con_humedad && !std::isfinite(r.humedad)) return false;
    return !es_combustible(r.tipo) || combustible_valido(r);
}

bool analiza(binario::lector l, problema_leido& r)
{
    for (int& u : r.unidades) {
        u = l.i16();
        if (!unidad_valida(u)) return false;
    }
    const unsigned char* nombre = l.toma(BYTES_NOMBRE);
    if (!nombre) return false;
    std::memcpy(r.nombre, nombre, BYTES_NOMBRE);
    if (std::memchr(r.nombre, 0, BYTES_NOMBRE) == nullptr) return false;
    r.tipo = l.i8();
    if (r.tipo < GAS_AIRE || r.tipo > GAS_OTRO) return false;
    l.u8();  // de reserva
    r.M = l.f32();
    r.e0 = l.f32();
    for (float& v : r.combustible) v = l.f32();
    for (auto& fila : r.tabla) {
        fila.cv0 = l.f32();
        fila.cp0 = l.f32();
        fila.s0 = l.f32();
    }
    r.num_estados = l.u8();
    r.num_transformaciones = l.u8();
    if (!l.bien() || r.num_estados > MAXESTADOS || r.num_transformaciones > MAXTRANSFORMACIONES) return false;
    for (int i = 0; i < r.num_estados; ++i) {
        estado& e = r.datos[i];
        for (float& v : e.prop) v = l.f32();
        // Cualquier referencia se acepta: una que no nombra un estado del
        // problema la rechaza el cálculo, con su mensaje.
        for (auto& ref : e.referencia) ref = l.i16();
        e.marca = l.u8();
        l.u8();  // de reserva
    }
    for (int k = 0; k < r.num_transformaciones; ++k) {
        transformacion& t = r.transformaciones[k];
        // Lo mismo los números de estado de las transformaciones (0 a 255).
        t.desde = l.u8();
        t.hasta = l.u8();
    }
    if (!l.bien()) return false;
    // La humedad es opcional; cualquier otro resto hace el fichero inválido.
    if (l.posicion() + 4 == l.tamano()) {
        r.humedad = l.f32();
        r.con_humedad = true;
    }
    return l.bien() && l.posicion() == l.tamano() && numeros_validos(r);
}

// Pasa al problema lo leído (sólo cuando el fichero entero es válido).
void acepta(const problema_leido& r, problema& p)
{
    unidad_masa_kg = r.unidades[0];
    unidad_energia_kcal = r.unidades[1];
    unidad_presion_at = r.unidades[2];
    propiedades_gas& g = *p.gas;
    std::memset(g.nombre, 0, sizeof g.nombre);
    std::memcpy(g.nombre, r.nombre, BYTES_NOMBRE);
    g.tipo = r.tipo;
    g.M = r.M;
    g.e0 = r.e0;
    g.aire = r.combustible[0];
    g.m_c = r.combustible[1];
    g.c = r.combustible[2];
    g.h = r.combustible[3];
    g.Hu = r.combustible[4];
    g.aire_min = r.combustible[5];
    if (r.con_humedad) g.humedad = r.humedad;
    for (int i = 0; i < NUM_FILAS; ++i) g.tabla[i] = r.tabla[i];
    for (auto& e : p.datos) reinicia_estado(e);
    p.num_estados = static_cast<std::uint8_t>(r.num_estados);
    p.num_transformaciones = static_cast<std::uint8_t>(r.num_transformaciones);
    for (int i = 0; i < r.num_estados; ++i) p.datos[i] = r.datos[i];
    for (int k = 0; k < r.num_transformaciones; ++k) p.transformaciones[k] = r.transformaciones[k];
}

// Los campos del problema en el orden del fichero.
void escribe_campos(binario::escritor& w, const problema& p)
{
    const propiedades_gas& g = *p.gas;
    w.i16(static_cast<std::int16_t>(unidad_masa_kg));
    w.i16(static_cast<std::int16_t>(unidad_energia_kcal));
    w.i16(static_cast<std::int16_t>(unidad_presion_at));
    char nombre[BYTES_NOMBRE];
    std::memcpy(nombre, g.nombre, BYTES_NOMBRE);
    nombre[BYTES_NOMBRE - 1] = 0;
    w.bytes(nombre, BYTES_NOMBRE);
    w.i8(g.tipo);
    w.u8(0);
    w.f32(g.M);
    w.f32(g.e0);
    for (float v : {g.aire, g.m_c, g.c, g.h, g.Hu, g.aire_min}) w.f32(v);
    for (const auto& fila : g.tabla) {
        w.f32(fila.cv0);
        w.f32(fila.cp0);
        w.f32(fila.s0);
    }
    w.u8(p.num_estados);
    w.u8(p.num_transformaciones);
    for (int i = 0; i < p.num_estados; ++i) {
        const estado& e = p.datos[i];
        for (float v : e.prop) w.f32(v);
        for (int k = 0; k < NUM_REFERENCIAS; ++k) w.i16(static_cast<std::int16_t>(e.referencia[k]));
        w.u8(e.marca);
        w.u8(0);
    }
    for (int k = 0; k < p.num_transformaciones; ++k) {
        w.u8(p.transformaciones[k].desde);
        w.u8(p.transformaciones[k].hasta);
    }
    w.f32(g.humedad);
}

bool problema_en_limites(const problema& p)
{
    return p.gas && p.num_estados <= MAXESTADOS && p.num_transformaciones <= MAXTRANSFORMACIONES;
}

} // namespace

long escribe_problema(std::FILE* f, const problema& p)
{
    if (!problema_en_limites(p)) return 0;
    binario::escritor w(f);
    escribe_campos(w, p);
    return w.bien() ? static_cast<long>(w.cuenta()) : 0;
}

long guarda_problema(const std::string& ruta, const problema& p)
{
    // Un problema fuera de sus límites no llega a tocar el fichero.
    if (!problema_en_limites(p)) return 0;
    // Se escribe aparte y sólo sustituye al fichero que hubiera cuando está
    // entero en el disco: un fallo a medias no pierde el problema anterior.
    long cuenta = 0;
    const auto resultado = escribe_atomico(ruta, [&](std::FILE* f) {
        cuenta = escribe_problema(f, p);
        return cuenta > 0;
    });
    return resultado == resultado_escritura::bien ? cuenta : 0;
}

long carga_problema(const std::string& ruta, problema& p)
{
    if (!p.gas) return 0;
    std::vector<unsigned char> bytes;
    if (!lee_bytes(ruta, bytes)) return 0;
    return carga_problema_de_bytes(bytes.data(), bytes.size(), p);
}

long lee_problema(const std::string& ruta, std::vector<unsigned char>& bytes)
{
    bytes.clear();
    std::vector<unsigned char> leidos;
    if (!lee_bytes(ruta, leidos)) return 0;
    problema_leido leido;
    if (!analiza(binario::lector(leidos.data(), leidos.size()), leido)) return 0;
    bytes = std::move(leidos);
    return static_cast<long>(bytes.size());
}

long carga_problema_de_bytes(const unsigned char* datos, std::size_t n, problema& p)
{
    if (!p.gas || n > static_cast<std::size_t>(BYTES_MAXIMOS)) return 0;
    // Se lee aparte y sólo se acepta un fichero válido entero.
    problema_leido leido;
    if (!analiza(binario::lector(datos, n), leido)) return 0;
    acepta(leido, p);
    return static_cast<long>(n);
}
