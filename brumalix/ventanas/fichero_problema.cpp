#include "brumalix/ventanas/fichero_problema.h"

#include "comun/binario.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Un texto de un campo de 'capacidad' bytes: debe terminar dentro del campo.
bool lee_texto(binario::lector& l, char* destino, std::size_t capacidad)
{
    const unsigned char* p = l.toma(capacidad);
    if (!p) return false;
    const void* fin = std::memchr(p, '\0', capacidad);
    if (!fin) return false;
    const std::size_t n = static_cast<std::size_t>(static_cast<const unsigned char*>(fin) - p);
    std::memset(destino, 0, capacidad);
    std::memcpy(destino, p, n);
    return true;
}

// Escribe el texto y ceros hasta llenar el campo.
void escribe_texto(binario::escritor& w, const char* texto, std::size_t capacidad)
{
    std::vector<unsigned char> campo(capacidad, 0);
    std::memcpy(campo.data(), texto, strnlen(texto, capacidad - 1));
    w.bytes(campo.data(), campo.size());
}

bool unidad_valida(int v) { return v == 0 || v == 1; }

// Las unidades: cuatro tras la marca "A"; tres, y la de entropía igual a la
// de energía, en la disposición antigua. Sólo valen 0 y 1: indexan tablas
// de nombres.
bool lee_unidades(binario::lector& l, bool con_marca, problema_leido& p)
{
    if (con_marca) l.u8();
    p.unidad_presion_at = l.i16();
    p.unidad_caudal_th = l.i16();
    p.unidad_energia_kcal = l.i16();
    p.unidad_entropia_kcal = con_marca ? l.i16() : p.unidad_energia_kcal;
    return l.bien() && unidad_valida(p.unidad_presion_at) && unidad_valida(p.unidad_caudal_th) &&
           unidad_valida(p.unidad_energia_kcal) && unidad_valida(p.unidad_entropia_kcal);
}

// Un estado: los seis valores y las seis referencias en el orden de la
// página. El caudal guardado no se lee: vuelve por los caudales directos.
bool lee_estado(binario::lector& l, estado_agua& e)
{
    e.calculado = l.i16();
    for (const propiedad_estado& q : propiedades_estado) e.*q.valor = l.f32();
    for (const propiedad_estado& q : propiedades_estado) e.*q.referencia = l.i16();
    e.e = l.f32();
    l.f32();
    e.caudal = -1.0f;
    e.mh = l.f32();
    e.me = l.f32();
    // Los datos del estado han de ser números finitos (-1 si no se dieron).
    for (const propiedad_estado& q : propiedades_estado)
        if (!std::isfinite(e.*q.valor)) return false;
    return true;
}

bool lee_caudal(binario::lector& l, caudal_directo& c)
{
    c.estado = l.i16();
    c.caudal = l.f32();
    if (c.estado > MAXNUMESTADOS) return false;
    // El caudal que pasa a un estado ha de ser un número finito.
    return !(c.estado > 0 && !std::isfinite(c.caudal));
}

bool lee_equipo(binario::lector& l, elemento& q)
{
    for (std::int32_t& n : q.entrantes) n = l.i16();
    for (std::int32_t& n : q.salientes) n = l.i16();
    if (!lee_texto(l, q.nombre, sizeof q.nombre) || !lee_texto(l, q.texto_entrantes, sizeof q.texto_entrantes) ||
        !lee_texto(l, q.texto_salientes, sizeof q.texto_salientes))
        return false;
    q.num_entrantes = l.i16();
    q.num_salientes = l.i16();
    return q.num_entrantes >= 0 && q.num_entrantes <= MAXESTENEQUIPO && q.num_salientes >= 0 &&
           q.num_salientes <= MAXESTENEQUIPO;
}

bool lee_ecuacion_guardada(binario::lector& l, ecuacion_balance& q) { return lee_texto(l, q.texto, sizeof q.texto); }

// Lee los registros uno tras otro; falso en el primero que no vale.
template <class C, class F>
bool lee_todos(binario::lector& l, C& registros, F lee)
{
    for (auto& r : registros)
        if (!lee(l, r)) return false;
    return true;
}

// Registros precedidos de su número (estados o equipos): entre 0 y
// 'maximo', y con sitio en el fichero para todos.
template <class T, class F>
bool lee_lista(binario::lector& l, std::vector<T>& registros, int maximo, std::size_t bytes_cada_uno, F lee)
{
    const int n = l.i16();
    if (!l.bien() || n < 0 || n > maximo || !l.hay(bytes_cada_uno * static_cast<std::size_t>(n))) return false;
    registros.assign(static_cast<std::size_t>(n), T{});
    return lee_todos(l, registros, lee);
}

void escribe_estado(binario::escritor& w, const estado_agua& e)
{
    w.i16(static_cast<std::int16_t>(e.calculado));
    for (const propiedad_estado& q : propiedades_estado) w.f32(e.*q.valor);
    for (const propiedad_estado& q : propiedades_estado) w.i16(static_cast<std::int16_t>(e.*q.referencia));
    w.f32(e.e);
    w.f32(e.caudal);
    w.f32(e.mh);
    w.f32(e.me);
}

void escribe_equipo(binario::escritor& w, const elemento& q)
{
    for (std::int32_t n : q.entrantes) w.i16(static_cast<std::int16_t>(n));
    for (std::int32_t n : q.salientes) w.i16(static_cast<std::int16_t>(n));
    escribe_texto(w, q.nombre, sizeof q.nombre);
    escribe_texto(w, q.texto_entrantes, sizeof q.texto_entrantes);
    escribe_texto(w, q.texto_salientes, sizeof q.texto_salientes);
    w.i16(static_cast<std::int16_t>(std::clamp(q.num_entrantes, 0, MAXESTENEQUIPO)));
    w.i16(static_cast<std::int16_t>(std::clamp(q.num_salientes, 0, MAXESTENEQUIPO)));
}

} // namespace

lectura_problema lee_problema(const std::vector<unsigned char>& bytes, problema_leido& p)
{
    using L = lectura_problema;
    binario::lector l(bytes);
    if (bytes.empty()) return L::incorrecto;
    if (bytes[0] == 'B') return L::marca_b;
    const bool leido = lee_unidades(l, bytes[0] == 'A', p) &&
                       lee_lista(l, p.estados, MAXNUMESTADOS, BYTES_ESTADO, lee_estado) &&
                       lee_todos(l, p.caudales, lee_caudal) &&
                       lee_lista(l, p.equipos, MAXNUMEQUIPOS, BYTES_EQUIPO, lee_equipo) &&
                       lee_todos(l, p.masa, lee_ecuacion_guardada) && lee_todos(l, p.energia, lee_ecuacion_guardada);
    return leido && l.bien() ? L::bien : L::incorrecto;
}

void pasa_al_problema(const problema_leido& p)
{
    unidad_presion_at = p.unidad_presion_at;
    unidad_caudal_th = p.unidad_caudal_th;
    unidad_energia_kcal = p.unidad_energia_kcal;
    unidad_entropia_kcal = p.unidad_entropia_kcal;
    std::copy(p.estados.begin(), p.estados.end(), estados_dato);
    std::copy(p.caudales.begin(), p.caudales.end(), caudales_directos);
    for (const caudal_directo& c : p.caudales)
        if (c.estado > 0) estados_dato[c.estado - 1].caudal = c.caudal;
    std::copy(p.equipos.begin(), p.equipos.end(), equipos);
    std::copy(p.masa.begin(), p.masa.end(), ecuaciones_masa);
    std::copy(p.energia.begin(), p.energia.end(), ecuaciones_energia);
    num_equipos = static_cast<std::int32_t>(p.equipos.size());
}

bool escribe_problema(std::FILE* f, int S, int E)
{
    S = std::clamp(S, 0, MAXNUMESTADOS);
    E = std::clamp(E, 0, MAXNUMEQUIPOS);
    binario::escritor w(f);
    w.u8('A');
    w.i16(static_cast<std::int16_t>(unidad_presion_at));
    w.i16(static_cast<std::int16_t>(unidad_caudal_th));
    w.i16(static_cast<std::int16_t>(unidad_energia_kcal));
    w.i16(static_cast<std::int16_t>(unidad_entropia_kcal));
    w.i16(static_cast<std::int16_t>(S));
    for (int i = 0; i < S; ++i) escribe_estado(w, estados_dato[i]);
    for (const caudal_directo& c : caudales_directos) {
        w.i16(static_cast<std::int16_t>(c.estado));
        w.f32(c.caudal);
    }
    w.i16(static_cast<std::int16_t>(E));
    for (int i = 0; i < E; ++i) escribe_equipo(w, equipos[i]);
    for (const ecuacion_balance& q : ecuaciones_masa) escribe_texto(w, q.texto, sizeof q.texto);
    for (const ecuacion_balance& q : ecuaciones_energia) escribe_texto(w, q.texto, sizeof q.texto);
    return w.bien();
}
