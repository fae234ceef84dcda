"""Shading of building surfaces by their surroundings (type hints of the extension module)."""

from typing import Any, Dict, List, Optional, Tuple, Union

import numpy
import numpy.typing

__version__: str

ArrayLike = Union[float, int, numpy.typing.ArrayLike]

def sun(day: ArrayLike, hour: ArrayLike, latitude: ArrayLike, longitude: ArrayLike,
        correction: ArrayLike = 0.0) -> Tuple[Any, Any]:
    """(azimuth, elevation) in degrees; azimuth from north through east, longitude positive west."""

class Project:
    def __init__(self, path: str) -> None: ...
    @property
    def path(self) -> str: ...
    @property
    def text(self) -> List[str]: ...
    @property
    def surface_count(self) -> int: ...
    @property
    def site(self) -> Dict[str, float]: ...
    @property
    def targets(self) -> List[Dict[str, Any]]: ...
    def shading(self, days: ArrayLike, hours: ArrayLike, method: str = "raster", online: bool = False,
                resolution: Optional[int] = None, threads: Optional[int] = None, kon: Optional[str] = None,
                **parameters: Union[int, float, bool, str]) -> Any: ...
    def diffuse_factors(self, method: str = "raster", kon: Optional[str] = None,
                        **parameters: Union[int, float, bool, str]) -> Dict[str, numpy.ndarray]: ...
    def irradiation(self, weather_path: str, sky_model: str = "perez", method: str = "raster",
                    as_frame: bool = False, kon: Optional[str] = None,
                    **parameters: Union[int, float, bool, str]) -> Any: ...
    def run(self, out_base: str, method: str = "raster", comma: bool = False, kon: Optional[str] = None,
            **parameters: Union[int, float, bool, str]) -> Dict[str, Any]: ...
